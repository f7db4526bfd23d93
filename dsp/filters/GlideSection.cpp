#include "dsp/filters/GlideSection.h"

#include <algorithm>
#include <cmath>

namespace Dsp {

namespace {

// 1 + a1 + a2 without the rounding of 1 + a2, which is all there is of it when the poles lie
// within 1e-8 of z = 1: 1 + a2 is formed with its rounding error, and adding a1, within a
// factor of 2 of it, is exact.
double DenominatorAtZeroFrequency(double a1, double a2)
{
    const double sum = 1.0 + a2;
    const double rounding = a2 - (sum - 1.0);
    return (sum + a1) + rounding;
}

} // namespace

GlideSection GlideSection::FromBiquad(const BiquadSection& section, double gain)
{
    const double a1 = section.a1;
    const double a2 = section.a2;
    // 1 - k1^2 = A(1) A(-1) / (1 + a2)^2 and 1 - k2^2 = (1 - a2)(1 + a2): products of terms
    // that are positive for a stable section, free of cancellation near the unit circle.
    const double atZero = std::max(0.0, DenominatorAtZeroFrequency(a1, a2));
    const double atNyquist = std::max(0.0, 1.0 - a1 + a2);
    const double sum = std::max(0.0, 1.0 + a2);
    const double difference = std::max(0.0, 1.0 - a2);
    GlideSection s;
    double cosine1 = 0.0;
    if (sum > 0.0) {
        s.k1 = a1 / sum;
        cosine1 = std::sqrt(atZero * atNyquist) / sum;
    }
    s.scale1 = std::max(cosine1, kClosestScaledPole);
    s.scale2 = std::sqrt(difference * sum);
    s.a11 = -s.k1;
    s.a12 = -a2 * s.scale1;
    s.a21 = cosine1 * (cosine1 / s.scale1);
    s.a22 = -a2 * s.k1;
    s.b1 = s.scale2 * s.scale1;
    s.b2 = s.scale2 * s.k1;
    s.d = gain * section.b0;
    // C is the direct form II's output row (b1 - b0 a1, b2 - b0 a2) in these coordinates. A
    // pole pair on the unit circle leaves no state that the input reaches: no output from it.
    if (s.scale2 > 0.0) {
        const double beta1 = gain * (section.b1 - section.b0 * a1);
        const double beta2 = gain * (section.b2 - section.b0 * a2);
        s.c1 = (beta1 - s.k1 * beta2) / (s.scale1 * s.scale2);
        s.c2 = beta2 / s.scale2;
    }
    return s;
}

GlideSection::Pair GlideSection::FromCanonical(const Pair& w) const
{
    return {scale2 * scale1 * w.first, scale2 * (k1 * w.first + w.second)};
}

GlideSection::Pair GlideSection::ToCanonical(const Pair& state) const
{
    if (scale2 == 0.0)
        return {0.0, 0.0};
    const double w1 = state.first / (scale1 * scale2);
    return {w1, state.second / scale2 - k1 * w1};
}

} // namespace Dsp
