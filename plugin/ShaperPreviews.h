#pragma once

#include "dsp/units/path/DistortionChain.h"
#include "plugin/DisplayCurve.h"

#include <array>

// The dynamic shaper's transfer curve and one sine period through it, as the curve editors
// draw them behind (or in front of) the distortion previews. Computed under the plug-in lock
// wherever a shaper setting changes; published value by value for the editor's draw.
class ShaperPreviews
{
public:
    ShaperPreviews();

    void Compute(const DistortionChain& chain);

    DisplayCurve curve;
    DisplayCurve signal;

private:
    std::array<double, DistortionChain::kCurvePreviewPoints> mCurve{};
    std::array<double, DistortionChain::kSignalPreviewFrames> mSignal{};
};
