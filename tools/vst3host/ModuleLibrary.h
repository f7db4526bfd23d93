#pragma once
// A VST3 module loaded into the process, from its file or its bundle folder: the platform's
// load-time entry is called after loading and the exit before unloading.

#include <string>

class ModuleLibrary
{
public:
    using GetFactoryProc = void* (*)();

    explicit ModuleLibrary(const std::string& path);
    ~ModuleLibrary();
    ModuleLibrary(const ModuleLibrary&) = delete;
    ModuleLibrary& operator=(const ModuleLibrary&) = delete;

    // False with a reason when the file is missing, cannot load or refuses its entry.
    bool IsLoaded() const { return handle_ != nullptr && entered_; }
    const std::string& Error() const { return error_; }
    const std::string& FilePath() const { return file_; }

    // Null when the module exports no GetPluginFactory.
    GetFactoryProc FindFactoryEntry() const;

    // The module file inside a bundle folder (Contents/<architecture>/<name>.<suffix>), or
    // the path itself when it is not a folder.
    static std::string ResolveBundle(const std::string& path);

private:
    // Platform parts: load and unload the file, find a symbol, call the load-time entries.
    bool Load();
    void Unload();
    void* FindSymbol(const char* name) const;
    bool Enter();
    void Exit();

    std::string file_;
    void* handle_ = nullptr;
    bool entered_ = false;
    std::string error_;
};
