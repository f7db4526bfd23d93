#include "dsp/units/path/Quantizer.h"

#include "dsp/units/GlidingCrossfade.h"
#include "dsp/units/curves/CurvePoints.h"

#include <cmath>
#include <cstring>

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
    ResizeChannelPair(mLeaving, frames);
    mHeard = false;
    mFadeLeft = 0.0;
}

void Quantizer::ProcessBlock(double* const io[2], int32_t n, double keep, double take)
{
    if (n < 1)
        return;
    const double setting = Setting();
    // Nothing heard yet, or a block too long to crossfade: the setting is taken at once.
    if (!mHeard || n > mLeaving.capacity)
    {
        mHeard = true;
        mHeardSetting = setting;
        mFadeLeft = 0.0;
    }
    // A change that comes during a crossfade waits for its end.
    if (mFadeLeft == 0.0 && setting != mHeardSetting)
    {
        mLeavingSetting = mHeardSetting;
        mHeardSetting = setting;
        mFadeLeft = 1.0;
    }
    if (mFadeLeft == 0.0)
    {
        QuantizeWith(io, n, mHeardSetting);
        return;
    }
    const size_t bytes = sizeof(double) * static_cast<size_t>(n);
    std::memcpy(mLeaving.left, io[0], bytes);
    std::memcpy(mLeaving.right, io[1], bytes);
    double* const leaving[2] = {mLeaving.left, mLeaving.right};
    QuantizeWith(leaving, n, mLeavingSetting);
    QuantizeWith(io, n, mHeardSetting);
    mFadeLeft = GlidingCrossfade(io, leaving, n, mFadeLeft, keep, take, framesPerHostFrame);
}
