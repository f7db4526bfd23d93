#include "tools/vsthost/PluginLibrary.h"

#include <windows.h>

PluginLibrary::PluginLibrary(const std::string& path)
{
    handle_ = LoadLibraryA(path.c_str());
    if (!handle_)
        error_ = "cannot load " + path + " (error " + std::to_string(GetLastError()) + ")";
}

PluginLibrary::~PluginLibrary()
{
    if (handle_)
        FreeLibrary(static_cast<HMODULE>(handle_));
}

void* PluginLibrary::FindSymbol(const char* name) const
{
    return handle_ ? reinterpret_cast<void*>(GetProcAddress(static_cast<HMODULE>(handle_), name)) : nullptr;
}
