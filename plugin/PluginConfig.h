#pragma once

#include <array>
#include <istream>
#include <string>

// The editor settings that travel with the plug-in state: the product name, the last used
// file paths and the view settings of the editor's tabs. Program text files carry the paths
// and view settings in a section of their own.
struct PluginConfig
{
    static constexpr int kTextSize = 1024;
    static constexpr int kTextCount = 5;
    static constexpr int kReservedCount = 4;
    static constexpr int kViewSettingCount = 5;
    static constexpr double kDefaultVisibleTab = 0.0;
    static constexpr double kDefaultScopeZoom = 100.0;

    // Clears every text, names the product and sets the view defaults.
    void SetDefaults();

    // The texts and the view settings in the order the state block stores them.
    std::array<char*, kTextCount> Texts();
    std::array<const char*, kTextCount> Texts() const;
    std::array<double*, kViewSettingCount> ViewSettings();
    std::array<const double*, kViewSettingCount> ViewSettings() const;

    // Cut to fit, always terminated.
    void SetLastSelectedProgramFile(const std::string& path);

    // Appends the settings section of a program text file: its header and one line per setting.
    void AppendSection(std::string& text) const;

    // Reads the settings lines from a whole program text file; the product name and the spare
    // texts are never read. A path is taken only when a file of that name can be opened, a
    // number only when it is finite. False when the file cannot be opened.
    bool Load(const std::string& path);
    void Load(std::istream& in);

    char ProductName[kTextSize];
    char LastSelectedProgramFile[kTextSize];
    char LastSelectedDistoCurveFile[kTextSize];
    char SpareText1[kTextSize];
    char SpareText2[kTextSize];
    std::array<double, kReservedCount> Reserved;
    double VisibleTab;
    double ScopeDrawMode;
    double ScopeDrawInput;
    double ScopeDrawOutput;
    double ScopeZoom;
};
