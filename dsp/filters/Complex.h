#pragma once

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

} // namespace Dsp
