#include "vst3/passthrough/PassThroughEffectVST3.h"

#include <cstdio>

namespace Wezmark
{
namespace
{
constexpr double kDefaultValue = 0.5;
constexpr double kMinimum = 0.0;
constexpr double kMaximum = 1.0;
constexpr double kStep = 0.001;
constexpr double kLinearShape = 1.0;
constexpr char kGroup[] = "Pass-Through";
}

PassThroughEffectVST3::PassThroughEffectVST3()
{
    char text[IParameter::kTextSize];
    for (int i = 0; i < GetParamCount(); ++i)
    {
        std::snprintf(text, sizeof text, "Parameter %02d", i + 1);
        GetParam(i)->InitContinuous(text, kDefaultValue, kMinimum, kMaximum, kStep, "", kGroup, kLinearShape);
    }
    StateChunk state;
    SerializeState(state);
    for (int i = 0; i < GetPresetCount(); ++i)
    {
        std::snprintf(text, sizeof text, "Program %03d", i + 1);
        AddFactoryPreset(text, state);
    }
}
}
