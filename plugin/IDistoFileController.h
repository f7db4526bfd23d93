#pragma once

#include <string>

namespace Wezmark
{

// The program file buttons load and save program files through this, on the editor's thread.
class IDistoFileController
{
public:
    // The last program file used, so the file dialog opens on it.
    virtual std::string GetProgramFilePath() = 0;
    virtual void SaveProgramFile(const std::string& path) = 0;
    virtual void LoadProgramFile(const std::string& path) = 0;
    // VST2 program files; the VST3 plug-in has none and answers false.
    virtual bool SaveFxpFile(const std::string& path) = 0;
    virtual bool LoadFxpFile(const std::string& path) = 0;
    virtual ~IDistoFileController() = default;
};

} // namespace Wezmark
