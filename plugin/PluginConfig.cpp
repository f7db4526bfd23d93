#include "plugin/PluginConfig.h"

#include "framework/BoundedCopy.h"

#include <cstring>

namespace
{
constexpr char kProductName[] = "Zarvotone";
constexpr double kTraceOn = 1.0;
constexpr double kDefaultDrawMode = 1.0;
}

void PluginConfig::SetDefaults()
{
    for (char* text : {ProductName, LastSelectedProgramFile, LastSelectedDistoCurveFile, SpareText1, SpareText2})
        std::memset(text, 0, kTextSize);
    BoundedCopy(ProductName, kProductName, kTextSize);
    Reserved.fill(0.0);
    VisibleTab = kDefaultVisibleTab;
    ScopeDrawMode = kDefaultDrawMode;
    ScopeDrawInput = kTraceOn;
    ScopeDrawOutput = kTraceOn;
    ScopeZoom = kDefaultScopeZoom;
}
