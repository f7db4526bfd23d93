#include "dsp/units/curves/CurveActionNames.h"

#include "dsp/units/curves/CurveActions.h"

#include <array>

namespace
{
constexpr std::array<const char*, kNoCurveAction + 1> kCurveActionNames = {
    "Restore Curve",
    "Normalize Curve",
    "Compress Curve",
    "Boost Curve",
    "Smooth Curve",
    "Sharp Curve",
    "Filter Curve (Low-Pass)",
    "Filter Curve (High-Pass)",
    "Smooth Zero-Crossing",
    "Add Noise",
    "Add Dynamic Noise",
    "Invert/Flip Curve",
    "Mirror Positive Part",
    "Mirror Negative Part",
    "Quantize (64-steps)",
    "Quantize (32-steps)",
    "Quantize (16-steps)",
    "Quantize (8-steps)",
    "Linear Mix (Linearize)",
    "Reset (Restore Linear)",
    "No Disto Action",
};
constexpr const char* kUndefinedAction = "Undefined Disto Curve Action";
}

const char* GetCurveActionName(int32_t action)
{
    if (action < 0 || action >= static_cast<int32_t>(kCurveActionNames.size()))
        return kUndefinedAction;
    return kCurveActionNames[action];
}
