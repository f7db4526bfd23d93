#include "tools/vsthost/PluginLibrary.h"

#include <dlfcn.h>

PluginLibrary::PluginLibrary(const std::string& path)
{
    // A bare file name would be searched on the library path; a plug-in is always named by its path.
    const std::string located = path.find('/') == std::string::npos ? "./" + path : path;
    handle_ = dlopen(located.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (!handle_)
    {
        const char* reason = dlerror();
        error_ = reason ? reason : "cannot load " + path;
    }
}

PluginLibrary::~PluginLibrary()
{
    if (handle_)
        dlclose(handle_);
}

void* PluginLibrary::FindSymbol(const char* name) const
{
    return handle_ ? dlsym(handle_, name) : nullptr;
}
