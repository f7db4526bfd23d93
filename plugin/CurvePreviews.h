#pragma once

#include "dsp/units/path/DistortionChain.h"
#include "plugin/DisplayCurve.h"

#include <array>

// The transfer curve and one sine period through it, as the curve editors draw them. They are
// computed wherever the curve changes (the audio thread included, under the plug-in lock) and
// published value by value for the editor's draw.
class CurvePreviews
{
public:
    CurvePreviews();

    // The caller holds the plug-in lock, or is the block routine.
    void Compute(DistortionChain& chain);

    DisplayCurve curve;
    DisplayCurve signal;

private:
    std::array<double, DistortionChain::kCurvePreviewPoints> mCurve{};
    std::array<double, DistortionChain::kSignalPreviewFrames> mSignal{};
};
