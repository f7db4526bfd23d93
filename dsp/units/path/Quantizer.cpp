#include "dsp/units/path/Quantizer.h"

#include "dsp/SamplePair.h"
#include "dsp/units/GlideTimes.h"
#include "dsp/units/path/QuantizerWide.h"

#include <cmath>

namespace
{

constexpr double kIntegerFloor = 4503599627370496.0; // 2^52: from here on every double is whole

// Truncation toward zero for both lanes without a branch: the same as std::trunc. Adding and
// taking away 2^52 rounds a magnitude below it to a whole number, one too high where it
// rounded up.
SamplePair Truncated(SamplePair v)
{
    const SamplePair magnitude = v < 0.0 ? -v : v;
    SamplePair whole = (magnitude + kIntegerFloor) - kIntegerFloor;
    whole = whole > magnitude ? whole - 1.0 : whole;
    whole = magnitude < kIntegerFloor ? whole : magnitude;
    // A zero keeps its sign.
    whole = v < 0.0 ? -whole : whole;
    return v == 0.0 ? v : whole;
}

// Truncation in double arithmetic: the same as a conversion to a 64-bit integer wherever
// that is defined, and still finite where the product leaves the integer range. The divide
// works on both samples of a frame at once.
void QuantizePortable(double* const io[2], int32_t n, double factor)
{
    for (int32_t i = 0; i < n; ++i)
    {
        const SamplePair x = FiniteOrZero(SamplePair{io[0][i], io[1][i]});
        const SamplePair q = FiniteOrZero(Truncated(factor * x) / factor);
        io[0][i] = q[0];
        io[1][i] = q[1];
    }
}

} // namespace

Quantizer::Quantizer() : mWide(AvailableSimdLevel() == SimdLevel::kAvx2Fma)
{
}

double Quantizer::Setting() const
{
    return bypassed || amount >= kOff ? 0.0 : factor;
}

void Quantizer::Prepare(double rate, int32_t maxFrames, int32_t framesPerHostFrame)
{
    mKeep = GlideTimes::Keep(TimeConstants::kQuantizerKeep, rate);
    mTake = 1.0 - mKeep;
    mWide = AvailableSimdLevel() == SimdLevel::kAvx2Fma;
    mCrossfade.SetBlockSize(maxFrames);
    this->framesPerHostFrame = framesPerHostFrame;
}

void Quantizer::EndGlides()
{
    mCrossfade.TakeAtOnce(Setting());
}

void Quantizer::QuantizeWith(double* const io[2], int32_t n, double setting) const
{
    if (setting == 0.0)
        return;
    if (mWide && QuantizeWideServes(setting))
        QuantizeWide(io, n, setting);
    else
        QuantizePortable(io, n, setting);
}

void Quantizer::Process(double* const io[2], int32_t n)
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
    mCrossfade.Blend(io, n, mKeep, mTake, framesPerHostFrame);
}
