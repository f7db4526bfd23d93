#include "tools/vst3host/ModuleLibrary.h"

#include <windows.h>

namespace
{
using InitDllProc = bool (*)();
using ExitDllProc = bool (*)();
}

bool ModuleLibrary::Load()
{
    handle_ = LoadLibraryA(file_.c_str());
    if (!handle_)
        error_ = "cannot load " + file_ + " (error " + std::to_string(GetLastError()) + ")";
    return handle_ != nullptr;
}

void ModuleLibrary::Unload()
{
    FreeLibrary(static_cast<HMODULE>(handle_));
}

void* ModuleLibrary::FindSymbol(const char* name) const
{
    return handle_ ? reinterpret_cast<void*>(GetProcAddress(static_cast<HMODULE>(handle_), name)) : nullptr;
}

// InitDll and ExitDll are optional for a Windows module.
bool ModuleLibrary::Enter()
{
    const auto init = reinterpret_cast<InitDllProc>(FindSymbol("InitDll"));
    return !init || init();
}

void ModuleLibrary::Exit()
{
    if (const auto exit = reinterpret_cast<ExitDllProc>(FindSymbol("ExitDll")))
        exit();
}
