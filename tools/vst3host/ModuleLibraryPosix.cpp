#include "tools/vst3host/ModuleLibrary.h"

#include <dlfcn.h>

namespace
{
using ModuleEntryProc = bool (*)(void*);
using ModuleExitProc = bool (*)();
}

bool ModuleLibrary::Load()
{
    // A bare file name would be searched on the library path; a module is always named by its path.
    const std::string located = file_.find('/') == std::string::npos ? "./" + file_ : file_;
    handle_ = dlopen(located.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (!handle_)
    {
        const char* reason = dlerror();
        error_ = reason ? reason : "cannot load " + file_;
    }
    return handle_ != nullptr;
}

void ModuleLibrary::Unload()
{
    dlclose(handle_);
}

void* ModuleLibrary::FindSymbol(const char* name) const
{
    return handle_ ? dlsym(handle_, name) : nullptr;
}

bool ModuleLibrary::Enter()
{
    const auto entry = reinterpret_cast<ModuleEntryProc>(FindSymbol("ModuleEntry"));
    if (!entry)
    {
        error_ = file_ + " exports no ModuleEntry";
        return false;
    }
    return entry(handle_);
}

void ModuleLibrary::Exit()
{
    if (const auto exit = reinterpret_cast<ModuleExitProc>(FindSymbol("ModuleExit")))
        exit();
}
