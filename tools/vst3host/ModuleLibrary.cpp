#include "tools/vst3host/ModuleLibrary.h"

#include <filesystem>

namespace
{
#if defined(_WIN32)
constexpr char kArchitectureFolder[] = "x86_64-win";
constexpr char kModuleSuffix[] = ".vst3";
#else
constexpr char kArchitectureFolder[] = "x86_64-linux";
constexpr char kModuleSuffix[] = ".so";
#endif
}

ModuleLibrary::ModuleLibrary(const std::string& path) : file_(ResolveBundle(path))
{
    if (!Load())
        return;
    entered_ = Enter();
    if (!entered_ && error_.empty())
        error_ = file_ + " refused to be entered";
}

ModuleLibrary::~ModuleLibrary()
{
    if (entered_)
        Exit();
    if (handle_)
        Unload();
}

std::string ModuleLibrary::ResolveBundle(const std::string& path)
{
    namespace fs = std::filesystem;
    std::error_code error;
    const fs::path bundle = fs::path(path).lexically_normal();
    if (!fs::is_directory(bundle, error))
        return path;
    const fs::path name = bundle.filename().empty() ? bundle.parent_path().filename() : bundle.filename();
    fs::path module = bundle / "Contents" / kArchitectureFolder / name.stem();
    module += kModuleSuffix;
    return module.string();
}

ModuleLibrary::GetFactoryProc ModuleLibrary::FindFactoryEntry() const
{
    return reinterpret_cast<GetFactoryProc>(FindSymbol("GetPluginFactory"));
}
