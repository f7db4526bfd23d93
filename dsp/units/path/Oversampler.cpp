#include "dsp/units/path/Oversampler.h"

#include "dsp/units/path/OversamplerWide.h"

#include <algorithm>

namespace
{
// Transition bands as fractions of each stage's higher rate. The near stage's band is centred
// on the host Nyquist frequency; the others reach from it to the nearest image of the host band.
constexpr double kNearTransition = 0.0175;
constexpr double kMiddleTransition = 0.25;
constexpr double kFarTransition = 0.375;

// A value that is no number enters as silence: the filters would keep it for good.
SamplePair Finite(double left, double right)
{
    return FiniteOrZero(SamplePair{left, right});
}
} // namespace

Oversampler::Oversampler() : mWide(AvailableSimdLevel() == SimdLevel::kAvx2Fma)
{
    nearStage.Design(kNearTransition);
    middleStage.Design(kMiddleTransition);
    farStage.Design(kFarTransition);
}

void Oversampler::Prepare(double rate, int32_t maxFrames, int32_t)
{
    sampleRate = rate;
    blockSize = static_cast<uint32_t>(maxFrames);
    mWide = AvailableSimdLevel() == SimdLevel::kAvx2Fma;
    ResizeChannelPair(up, static_cast<int32_t>(blockSize * factor));
    ResizeChannelPair(down, maxFrames);
    Reset();
}

void Oversampler::Reset()
{
    nearStage.Clear();
    middleStage.Clear();
    farStage.Clear();
}

void Oversampler::TakeStateFrom(const Oversampler& other)
{
    nearStage = other.nearStage;
    middleStage = other.middleStage;
    farStage = other.farStage;
}

void Oversampler::ClearIfNotFinite()
{
    nearStage.ClearIfNotFinite();
    middleStage.ClearIfNotFinite();
    farStage.ClearIfNotFinite();
}

// Inlined where used, so that the compiler sees the pieces as arrays of the caller's own and
// keeps the stages' memories in registers instead of reloading them after every store.
[[gnu::always_inline]] inline void Oversampler::UpThroughStages(const SamplePair* low, int32_t count,
                                                                SamplePair* eightTimes)
{
    SamplePair twice[2 * kPieceFrames];
    SamplePair fourTimes[4 * kPieceFrames];
    nearStage.Up(low, count, twice);
    middleStage.Up(twice, 2 * count, fourTimes);
    farStage.Up(fourTimes, 4 * count, eightTimes);
}

[[gnu::always_inline]] inline void Oversampler::DownThroughStages(const SamplePair* eightTimes, int32_t count,
                                                                  SamplePair* low)
{
    SamplePair fourTimes[4 * kPieceFrames];
    SamplePair twice[2 * kPieceFrames];
    farStage.Down(eightTimes, 4 * count, fourTimes);
    middleStage.Down(fourTimes, 2 * count, twice);
    nearStage.Down(twice, count, low);
}

bool Oversampler::Upsample(const double* const in[2], int32_t n)
{
    if (n < 1)
        return true;
    if (static_cast<int64_t>(n) * factor > up.capacity)
        return false;
    for (int32_t from = 0; from < n; from += kPieceFrames)
        UpPiece(in, from, std::min(kPieceFrames, n - from));
    ClearIfNotFinite();
    return true;
}

bool Oversampler::Downsample(const double* const in[2], int32_t m)
{
    if (m < 1)
        return true;
    if (m % static_cast<int32_t>(factor) != 0 || m / static_cast<int32_t>(factor) > down.capacity)
        return false;
    const int32_t n = m / static_cast<int32_t>(factor);
    double* const out[2] = {down.left, down.right};
    for (int32_t from = 0; from < n; from += kPieceFrames)
        DownPiece(in, from, std::min(kPieceFrames, n - from), out);
    ClearIfNotFinite();
    return true;
}

// Nothing runs between the two ways, so a piece goes up and down again without passing
// through the up pair.
bool Oversampler::RoundTrip(double* const io[2], int32_t n)
{
    if (n < 1)
        return true;
    if (static_cast<int64_t>(n) * factor > up.capacity)
        return false;
    SamplePair low[kPieceFrames];
    SamplePair eightTimes[8 * kPieceFrames];
    for (int32_t from = 0; from < n; from += kPieceFrames)
    {
        const int32_t count = std::min(kPieceFrames, n - from);
        for (int32_t i = 0; i < count; ++i)
            low[i] = Finite(io[0][from + i], io[1][from + i]);
        if (mWide)
            RoundTripWide(nearStage, middleStage, farStage, low, count);
        else
        {
            UpThroughStages(low, count, eightTimes);
            DownThroughStages(eightTimes, count, low);
        }
        for (int32_t i = 0; i < count; ++i)
        {
            io[0][from + i] = low[i][0];
            io[1][from + i] = low[i][1];
        }
    }
    ClearIfNotFinite();
    return true;
}

// Each stage's filter runs twice, at two, four and eight times the host rate.
double Oversampler::Latency() const
{
    return (2.0 * nearStage.DelayAtZeroHertz()) / 2.0 + (2.0 * middleStage.DelayAtZeroHertz()) / 4.0 +
           (2.0 * farStage.DelayAtZeroHertz()) / 8.0;
}

// Host frames [from, from + count) of `in` into the up pair at eight times their position.
void Oversampler::UpPiece(const double* const in[2], int32_t from, int32_t count)
{
    SamplePair low[kPieceFrames];
    SamplePair eightTimes[8 * kPieceFrames];
    for (int32_t i = 0; i < count; ++i)
        low[i] = Finite(in[0][from + i], in[1][from + i]);
    const size_t high = static_cast<size_t>(from) * factor;
    if (mWide)
    {
        UpPieceWide(nearStage, middleStage, farStage, low, count, up.left + high, up.right + high);
        return;
    }
    UpThroughStages(low, count, eightTimes);
    for (int32_t i = 0; i < 8 * count; ++i)
    {
        up.left[high + i] = eightTimes[i][0];
        up.right[high + i] = eightTimes[i][1];
    }
}

// The high-rate frames of host frames [from, from + count) of `in` down to frames
// [from, from + count) of `out`.
void Oversampler::DownPiece(const double* const in[2], int32_t from, int32_t count, double* const out[2])
{
    if (count < 1)
        return;
    SamplePair eightTimes[8 * kPieceFrames];
    SamplePair low[kPieceFrames];
    const size_t high = static_cast<size_t>(from) * factor;
    if (mWide)
        DownPieceWide(nearStage, middleStage, farStage, in[0] + high, in[1] + high, count, low);
    else
    {
        for (int32_t i = 0; i < 8 * count; ++i)
            eightTimes[i] = Finite(in[0][high + i], in[1][high + i]);
        DownThroughStages(eightTimes, count, low);
    }
    for (int32_t i = 0; i < count; ++i)
    {
        out[0][from + i] = low[i][0];
        out[1][from + i] = low[i][1];
    }
}
