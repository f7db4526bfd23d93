#pragma once
// A plug-in file loaded into the process: a shared object natively, a DLL on Windows.

#include "framework/vst2/Vst2Abi.h"

#include <string>

class PluginLibrary
{
public:
    explicit PluginLibrary(const std::string& path);
    ~PluginLibrary();
    PluginLibrary(const PluginLibrary&) = delete;
    PluginLibrary& operator=(const PluginLibrary&) = delete;

    bool IsLoaded() const { return handle_ != nullptr; }
    const std::string& Error() const { return error_; }

    // VSTPluginMain, or the older name main; null when neither is exported.
    VstPluginMainProc FindEntry() const;

private:
    void* FindSymbol(const char* name) const;

    void* handle_ = nullptr;
    std::string error_;
};
