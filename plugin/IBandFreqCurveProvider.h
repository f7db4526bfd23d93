#pragma once

namespace Wezmark
{

// The band display's view of the band splitter.
class IBandFreqCurveProvider
{
public:
    // Magnitudes of band 0 (the low pass) or band 1 (the high pass) at `count` frequencies
    // 0.5 x (i / count)^2 of the sample rate, so the low end gets most points.
    virtual void GetBandFreqCurve(int band, double* out, int count) = 0;
    virtual ~IBandFreqCurveProvider() = default;
};

} // namespace Wezmark
