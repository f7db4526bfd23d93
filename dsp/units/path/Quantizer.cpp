#include "dsp/units/path/Quantizer.h"

#include "dsp/units/curves/CurvePoints.h"

#include <cmath>

namespace
{

// Truncation in double arithmetic: the same as a conversion to a 64-bit integer wherever
// that is defined, and still finite where the product leaves the integer range.
double Quantized(double x, double factor)
{
    return FiniteOrZero(std::trunc(factor * FiniteOrZero(x)) / factor);
}

void QuantizeWith(double* const io[2], int32_t n, double setting)
{
    if (setting == 0.0)
        return;
    for (int32_t i = 0; i < n; ++i)
    {
        io[0][i] = Quantized(io[0][i], setting);
        io[1][i] = Quantized(io[1][i], setting);
    }
}

} // namespace

double Quantizer::Setting() const
{
    return bypassed || amount >= kOff ? 0.0 : factor;
}

void Quantizer::SetBlockSize(int32_t frames)
{
    mCrossfade.SetBlockSize(frames);
}

void Quantizer::ProcessBlock(double* const io[2], int32_t n, double keep, double take)
{
    if (n < 1)
        return;
    const double setting = Setting();
    // Nothing heard yet, or a block too long to crossfade: the setting is taken at once.
    if (!mCrossfade.HeardYet() || !mCrossfade.Fits(n))
        mCrossfade.TakeAtOnce(setting);
    if (!mCrossfade.Follow(setting))
    {
        QuantizeWith(io, n, setting);
        return;
    }
    double* leaving[2];
    mCrossfade.CopyForLeaving(io, n, leaving);
    QuantizeWith(leaving, n, mCrossfade.Leaving());
    QuantizeWith(io, n, mCrossfade.Heard());
    mCrossfade.Blend(io, n, keep, take, framesPerHostFrame);
}
