#include "dsp/units/Oversampler.h"

#include "dsp/SamplePair.h"

#include <emmintrin.h>

#include <algorithm>
#include <cmath>
#include <complex>
#include <cstdint>
#include <limits>

namespace
{

constexpr double kTwoPi = 6.283185307179586;

// Eighth-order Bessel low-pass, -3 dB at 1 rad/s: one pole of each conjugate pair.
constexpr std::array<std::complex<double>, Oversampler::kOrder / 2> kPrototypePoles = {{
    {-1.7574084004017807, 0.272867575102548},
    {-1.636939418126819, 0.8227956251396226},
    {-1.3738412176373478, 1.3883565758775174},
    {-0.8928697188471307, 1.9983258436412903},
}};

// 2^-54: smaller magnitudes are flushed so that decaying tails never reach denormals.
constexpr double kFlushBelow = 5.551115123125783e-17;

double Flushed(double y)
{
    const double magnitude = std::fabs(y);
    return magnitude >= kFlushBelow && magnitude <= std::numeric_limits<double>::max() ? y : 0.0;
}

// Lanes whose magnitude lies in [low, high]: all bits set; others (NaN among them) clear.
[[gnu::always_inline]] inline __m128d WithinMask(SamplePair y, double low, double high)
{
    const __m128d magnitude = _mm_andnot_pd(_mm_set1_pd(-0.0), y);
    return _mm_and_pd(_mm_cmpge_pd(magnitude, _mm_set1_pd(low)), _mm_cmple_pd(magnitude, _mm_set1_pd(high)));
}

[[gnu::always_inline]] inline bool BothLanes(__m128d mask)
{
    return _mm_movemask_pd(mask) == 0b11;
}

// Flushed for each lane. A flush is rare, so the common case is tested first: a step then
// does not wait for the test.
[[gnu::always_inline]] inline SamplePair Flushed(SamplePair y)
{
    const __m128d kept = WithinMask(y, kFlushBelow, std::numeric_limits<double>::max());
    if (BothLanes(kept))
        return y;
    return _mm_and_pd(kept, y);
}

// One filter path, or the left and right path side by side in one history.
template <class Sample>
using History = std::array<Sample, Oversampler::kOrder + 1>;

template <class Sample>
[[gnu::always_inline]] inline Sample Sum(const History<Sample>& s, Sample x, const Oversampler::Coefficients& c)
{
    return s[0] * c[1] + x * c[0] + s[1] * c[2] + s[2] * c[3] + s[3] * c[4] + s[4] * c[5] + s[5] * c[6] +
           s[6] * c[7] + s[7] * c[8];
}

// Sum with the input term left out: bit-identical for a zero input once the result is
// flushed (only the sign of a zero result could differ).
template <class Sample>
[[gnu::always_inline]] inline Sample StuffedZeroSum(const History<Sample>& s, const Oversampler::Coefficients& c)
{
    return s[0] * c[1] + s[1] * c[2] + s[2] * c[3] + s[3] * c[4] + s[4] * c[5] + s[5] * c[6] + s[6] * c[7] +
           s[7] * c[8];
}

template <class Sample>
[[gnu::always_inline]] inline void Push(History<Sample>& s, Sample y)
{
    for (int k = Oversampler::kOrder; k >= 1; --k)
        s[k] = s[k - 1];
    s[0] = y;
}

template <class Sample>
[[gnu::always_inline]] inline Sample Step(History<Sample>& s, Sample x, const Oversampler::Coefficients& c)
{
    Push(s, Flushed(Sum(s, x, c)));
    return s[0];
}

// Takes the up-sampling filter's new value y into the history and returns the output, gain x
// the flushed value, flushed again. A value that the first flush keeps and that stays finite
// times the gain (at most `largestKept`) passes both unchanged: one test serves the two.
[[gnu::always_inline]] inline SamplePair PushUp(History<SamplePair>& s, SamplePair y, double gain, double largestKept)
{
    if (BothLanes(WithinMask(y, kFlushBelow, largestKept)))
    {
        Push(s, y);
        return gain * y;
    }
    Push(s, Flushed(y));
    return Flushed(gain * s[0]);
}

History<SamplePair> Join(const Oversampler::FilterState& left, const Oversampler::FilterState& right)
{
    History<SamplePair> both;
    for (size_t k = 0; k < both.size(); ++k)
        both[k] = SamplePair{left[k], right[k]};
    return both;
}

void Split(const History<SamplePair>& both, Oversampler::FilterState& left, Oversampler::FilterState& right)
{
    for (size_t k = 0; k < both.size(); ++k)
    {
        left[k] = both[k][0];
        right[k] = both[k][1];
    }
}

// One host frame up-sampled into `factor` high-rate frames: the frame, then stuffed zeros,
// each output scaled by the factor to make up for the zeros.
[[gnu::always_inline]] inline void UpFrame(History<SamplePair>& s, SamplePair x, const Oversampler::Coefficients& c,
                                           uint32_t factor, double* left, double* right)
{
    const double gain = static_cast<double>(factor);
    const double largestKept = std::numeric_limits<double>::max() / gain;
    SamplePair y = PushUp(s, Sum(s, x, c), gain, largestKept);
    left[0] = y[0];
    right[0] = y[1];
    for (uint32_t k = 1; k < factor; ++k)
    {
        y = PushUp(s, StuffedZeroSum(s, c), gain, largestKept);
        left[k] = y[0];
        right[k] = y[1];
    }
}

// Filters `count` high-rate frames and returns the filter's response to the first of them.
[[gnu::always_inline]] inline SamplePair DownFrame(History<SamplePair>& s, const double* left, const double* right,
                                                   uint32_t count, const Oversampler::Coefficients& c)
{
    const SamplePair kept = Step(s, SamplePair{left[0], right[0]}, c);
    for (uint32_t k = 1; k < count; ++k)
        Step(s, SamplePair{left[k], right[k]}, c);
    return kept;
}

} // namespace

void Oversampler::Prepare(double rate, uint32_t frames)
{
    sampleRate = rate;
    blockSize = frames;
    ResizeChannelPair(up, static_cast<int32_t>(frames * factor));
    ResizeChannelPair(down, static_cast<int32_t>(frames));
    Reset();
}

void Oversampler::Reset()
{
    const double w = 0.5 / factor * kTwoPi;
    std::array<std::complex<double>, kOrder + 1> a{};
    a[0] = 1.0;
    for (const std::complex<double>& prototype : kPrototypePoles)
    {
        const double radius = std::exp(prototype.real() * w);
        const double angle = prototype.imag() * w;
        for (const double direction : {1.0, -1.0})
        {
            const std::complex<double> pole(radius * std::cos(direction * angle), radius * std::sin(direction * angle));
            for (int k = kOrder; k >= 1; --k)
                a[k] -= pole * a[k - 1];
        }
    }

    std::complex<double> atOne = 0.0;
    for (const std::complex<double>& term : a)
        atOne += term;
    const std::complex<double> inverse = 1.0 / atOne;
    coefficients[0] = 1.0 / std::hypot(inverse.real(), inverse.imag());
    for (int k = 1; k <= kOrder; ++k)
        coefficients[k] = -a[k].real() / a[0].real();

    upLeft.fill(0.0);
    upRight.fill(0.0);
    downLeft.fill(0.0);
    downRight.fill(0.0);
}

double Oversampler::FilterStep(FilterState& s, double x, const Coefficients& c)
{
    return Step(s, x, c);
}

// Both channels run side by side, each exactly as FilterStep runs it; the histories are kept
// in registers over the block.
bool Oversampler::Upsample(const double* const in[2], int32_t n)
{
    if (n < 1)
        return true;
    if (static_cast<int64_t>(n) * factor > up.capacity)
        return false;
    FilterSideBySide(in, 0, n, 0, 0);
    return true;
}

bool Oversampler::Downsample(const double* const in[2], int32_t m)
{
    if (m < 1)
        return true;
    const int64_t kept = (static_cast<int64_t>(m) + factor - 1) / factor;
    if (kept > down.capacity)
        return false;
    const Coefficients c = coefficients;
    History<SamplePair> state = Join(downLeft, downRight);
    // Frames 0, factor, 2 x factor ... are kept.
    for (int32_t i = 0, j = 0; i < m; i += static_cast<int32_t>(factor), ++j)
    {
        const uint32_t count = std::min(factor, static_cast<uint32_t>(m - i));
        const SamplePair y = DownFrame(state, in[0] + i, in[1] + i, count, c);
        down.left[j] = y[0] * outputGain;
        down.right[j] = y[1] * outputGain;
    }
    Split(state, downLeft, downRight);
    return true;
}

// The two recursions are independent, and each is bound by the latency of its own sums: with
// their steps interleaved in one loop, the processor works on both at once.
void Oversampler::FilterSideBySide(const double* const in[2], int32_t upFrom, int32_t upCount, int32_t downFrom,
                                   int32_t downCount)
{
    const Coefficients c = coefficients;
    const double upGain = static_cast<double>(factor);
    const double largestKept = std::numeric_limits<double>::max() / upGain;
    const double downGain = outputGain;
    History<SamplePair> upState = Join(upLeft, upRight);
    History<SamplePair> downState = Join(downLeft, downRight);
    const double* upInLeft = in[0] + upFrom;
    const double* upInRight = in[1] + upFrom;
    double* upOutLeft = up.left + static_cast<size_t>(upFrom) * factor;
    double* upOutRight = up.right + static_cast<size_t>(upFrom) * factor;
    const double* downInLeft = up.left + static_cast<size_t>(downFrom) * factor;
    const double* downInRight = up.right + static_cast<size_t>(downFrom) * factor;
    double* downOutLeft = down.left + downFrom;
    double* downOutRight = down.right + downFrom;

    const int32_t both = std::min(upCount, downCount);
    for (int32_t j = 0; j < both; ++j)
    {
        SamplePair u = PushUp(upState, Sum(upState, SamplePair{*upInLeft++, *upInRight++}, c), upGain, largestKept);
        const SamplePair kept = Step(downState, SamplePair{downInLeft[0], downInRight[0]}, c);
        upOutLeft[0] = u[0];
        upOutRight[0] = u[1];
        for (uint32_t k = 1; k < factor; ++k)
        {
            u = PushUp(upState, StuffedZeroSum(upState, c), upGain, largestKept);
            Step(downState, SamplePair{downInLeft[k], downInRight[k]}, c);
            upOutLeft[k] = u[0];
            upOutRight[k] = u[1];
        }
        upOutLeft += factor;
        upOutRight += factor;
        downInLeft += factor;
        downInRight += factor;
        *downOutLeft++ = kept[0] * downGain;
        *downOutRight++ = kept[1] * downGain;
    }
    for (int32_t j = both; j < upCount; ++j)
    {
        UpFrame(upState, SamplePair{*upInLeft++, *upInRight++}, c, factor, upOutLeft, upOutRight);
        upOutLeft += factor;
        upOutRight += factor;
    }
    for (int32_t j = both; j < downCount; ++j)
    {
        const SamplePair kept = DownFrame(downState, downInLeft, downInRight, factor, c);
        downInLeft += factor;
        downInRight += factor;
        *downOutLeft++ = kept[0] * downGain;
        *downOutRight++ = kept[1] * downGain;
    }
    Split(upState, upLeft, upRight);
    Split(downState, downLeft, downRight);
}
