#pragma once

namespace Wezmark
{

// A small self-made filter that the filter bank holds beside the library designs.
class IWzFilter
{
public:
    // One sample of channel 0, tuned by a 0..1 cutoff and a 0..1 resonance.
    virtual double ProcessSample(double x, double cutoff01, double resonance01) = 0;
    virtual void SetSampleRate(double rate) = 0;
    virtual void Reset() = 0;
    virtual ~IWzFilter() = default;
};

} // namespace Wezmark
