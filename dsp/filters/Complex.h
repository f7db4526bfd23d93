#pragma once

#include <cmath>
#include <complex>
#include <limits>

namespace Dsp {

using Complex = std::complex<double>;

// A point at infinity is stored as (+inf, 0): a zero there contributes no factor.
inline const Complex kInfinity{std::numeric_limits<double>::infinity(), 0.0};

inline bool IsInfinity(const Complex& c)
{
    return c.real() == std::numeric_limits<double>::infinity() && c.imag() == 0.0;
}

namespace ComplexDivision {

// Within these bounds no product or quotient of the division below overflows or becomes
// subnormal, so the runtime's rescaling of its operands (by powers of 2) changes nothing.
inline constexpr double kLargest = 0x1p200;
inline constexpr double kSmallest = 0x1p-200;

inline bool Plain(double v)
{
    const double m = std::fabs(v);
    return m == 0.0 || (m > kSmallest && m < kLargest);
}

} // namespace ComplexDivision

// n / d, the same to the bit as std::complex's division, without its call into the runtime
// where all parts are 0 or of moderate size and d is not 0; other operands go to that call.
// The runtime divides by Smith's method: by the larger part of d, after a ratio of its parts.
inline Complex Divide(const Complex& n, const Complex& d)
{
    using namespace ComplexDivision;
    const double a = n.real();
    const double b = n.imag();
    const double c = d.real();
    const double e = d.imag();
    const bool plain = Plain(a) && Plain(b) && Plain(c) && Plain(e) && (c != 0.0 || e != 0.0);
    if (!plain)
        return n / d;
    constexpr double kMinNormal = std::numeric_limits<double>::min();
    if (std::fabs(c) < std::fabs(e)) {
        const double ratio = c / e;
        const double denominator = c * ratio + e;
        if (std::fabs(ratio) > kMinNormal)
            return {(a * ratio + b) / denominator, (b * ratio - a) / denominator};
        return {(c * (a / e) + b) / denominator, (c * (b / e) - a) / denominator};
    }
    const double ratio = e / c;
    const double denominator = e * ratio + c;
    if (std::fabs(ratio) > kMinNormal)
        return {(b * ratio + a) / denominator, (b - a * ratio) / denominator};
    return {(a + e * (b / c)) / denominator, (b - e * (a / c)) / denominator};
}

} // namespace Dsp
