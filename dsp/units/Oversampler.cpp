#include "dsp/units/Oversampler.h"

#include "dsp/units/SamplePair.h"

#include <cmath>
#include <complex>
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

// Flushed for each lane. A flush is rare, so the common case is tested first: a step then
// does not wait for the test.
SamplePair Flushed(SamplePair y)
{
    const SamplePair magnitude = y < 0.0 ? -y : y;
    const auto kept = (magnitude >= kFlushBelow) & (magnitude <= std::numeric_limits<double>::max());
    if (kept[0] & kept[1])
        return y;
    return kept ? y : SamplePair{};
}

// One filter path, or the left and right path side by side in one history.
template <class Sample>
using History = std::array<Sample, Oversampler::kOrder + 1>;

template <class Sample>
Sample Step(History<Sample>& s, Sample x, const Oversampler::Coefficients& c)
{
    const Sample y = s[0] * c[1] + x * c[0] + s[1] * c[2] + s[2] * c[3] + s[3] * c[4] + s[4] * c[5] + s[5] * c[6]
                   + s[6] * c[7] + s[7] * c[8];
    for (int k = Oversampler::kOrder; k >= 1; --k)
        s[k] = s[k - 1];
    s[0] = Flushed(y);
    return s[0];
}

// The recursion of Step with the input term left out: bit-identical for a zero input once the
// result is flushed (only the sign of a zero result could differ).
template <class Sample>
Sample StuffedZeroStep(History<Sample>& s, const Oversampler::Coefficients& c)
{
    const Sample y = s[0] * c[1] + s[1] * c[2] + s[2] * c[3] + s[3] * c[4] + s[4] * c[5] + s[5] * c[6]
                   + s[6] * c[7] + s[7] * c[8];
    for (int k = Oversampler::kOrder; k >= 1; --k)
        s[k] = s[k - 1];
    s[0] = Flushed(y);
    return s[0];
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
    const double gain = static_cast<double>(factor);
    const Coefficients c = coefficients;
    History<SamplePair> state = Join(upLeft, upRight);
    double* outLeft = up.left;
    double* outRight = up.right;
    for (int32_t j = 0; j < n; ++j)
    {
        SamplePair y = Flushed(gain * Step(state, SamplePair{in[0][j], in[1][j]}, c));
        *outLeft++ = y[0];
        *outRight++ = y[1];
        for (uint32_t k = 1; k < factor; ++k)
        {
            y = Flushed(gain * StuffedZeroStep(state, c));
            *outLeft++ = y[0];
            *outRight++ = y[1];
        }
    }
    Split(state, upLeft, upRight);
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
    const double gain = outputGain;
    History<SamplePair> state = Join(downLeft, downRight);
    double* outLeft = down.left;
    double* outRight = down.right;
    // Frames 0, factor, 2 x factor ... are kept.
    uint32_t untilKept = 0;
    for (int32_t i = 0; i < m; ++i)
    {
        const SamplePair y = Step(state, SamplePair{in[0][i], in[1][i]}, c);
        if (untilKept == 0)
        {
            *outLeft++ = y[0] * gain;
            *outRight++ = y[1] * gain;
            untilKept = factor;
        }
        --untilKept;
    }
    Split(state, downLeft, downRight);
    return true;
}
