#include "dsp/units/Oversampler.h"

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

// The recursion of FilterStep with the input term left out: bit-identical for a zero input
// once the result is flushed (only the sign of a zero result could differ).
double StuffedZeroStep(Oversampler::FilterState& s, const Oversampler::Coefficients& c)
{
    const double y = s[0] * c[1] + s[1] * c[2] + s[2] * c[3] + s[3] * c[4] + s[4] * c[5] + s[5] * c[6]
                   + s[6] * c[7] + s[7] * c[8];
    for (int k = Oversampler::kOrder; k >= 1; --k)
        s[k] = s[k - 1];
    s[0] = Flushed(y);
    return s[0];
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
    const double y = s[0] * c[1] + x * c[0] + s[1] * c[2] + s[2] * c[3] + s[3] * c[4] + s[4] * c[5]
                   + s[5] * c[6] + s[6] * c[7] + s[7] * c[8];
    for (int k = kOrder; k >= 1; --k)
        s[k] = s[k - 1];
    s[0] = Flushed(y);
    return s[0];
}

bool Oversampler::Upsample(const double* const in[2], int32_t n)
{
    if (n < 1)
        return true;
    if (static_cast<int64_t>(n) * factor > up.capacity)
        return false;
    const double gain = static_cast<double>(factor);
    for (int32_t j = 0; j < n; ++j)
    {
        const int64_t base = static_cast<int64_t>(j) * factor;
        up.left[base] = Flushed(gain * FilterStep(upLeft, in[0][j], coefficients));
        up.right[base] = Flushed(gain * FilterStep(upRight, in[1][j], coefficients));
        for (uint32_t k = 1; k < factor; ++k)
        {
            up.left[base + k] = Flushed(gain * StuffedZeroStep(upLeft, coefficients));
            up.right[base + k] = Flushed(gain * StuffedZeroStep(upRight, coefficients));
        }
    }
    return true;
}

bool Oversampler::Downsample(const double* const in[2], int32_t m)
{
    if (m < 1)
        return true;
    const int64_t kept = (static_cast<int64_t>(m) + factor - 1) / factor;
    if (kept > down.capacity)
        return false;
    int64_t next = 0;
    for (int32_t i = 0; i < m; ++i)
    {
        const double left = FilterStep(downLeft, in[0][i], coefficients);
        const double right = FilterStep(downRight, in[1][i], coefficients);
        if (i % factor == 0)
        {
            down.left[next] = left * outputGain;
            down.right[next] = right * outputGain;
            ++next;
        }
    }
    return true;
}
