#pragma once

#include <array>

// The editor settings that travel with the plug-in state: the product name, the last used
// file paths and the view settings of the editor's tabs.
struct PluginConfig
{
    static constexpr int kTextSize = 1024;
    static constexpr int kReservedCount = 4;
    static constexpr double kDefaultVisibleTab = 0.0;
    static constexpr double kDefaultScopeZoom = 100.0;

    // Clears every text, names the product and sets the view defaults.
    void SetDefaults();

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
