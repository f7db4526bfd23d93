// The inline complex division against std::complex's, which it stands in for in the designs:
// the same bits for every pair of operands, from those it divides itself to those it hands on.

#include "dsp/filters/Complex.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <limits>
#include <random>

namespace {

using Dsp::Complex;

constexpr double kInf = std::numeric_limits<double>::infinity();
constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

// Bit for bit, NaNs of any payload alike.
void ExpectSame(const Complex& n, const Complex& d)
{
    const Complex expected = n / d;
    const Complex actual = Dsp::Divide(n, d);
    for (const auto& [e, a] : {std::pair{expected.real(), actual.real()}, std::pair{expected.imag(), actual.imag()}}) {
        if (std::isnan(e)) {
            EXPECT_TRUE(std::isnan(a)) << n << " / " << d;
            continue;
        }
        EXPECT_EQ(std::memcmp(&e, &a, sizeof e), 0) << n << " / " << d << ": " << a << " against " << e;
    }
}

TEST(ComplexDivisionTest, EdgeOperandsMatchTheLibrary)
{
    const double parts[] = {0.0,     -0.0,     1.0,      -3.5, 1e-300, 5e-324, 1e300,
                            0x1p200, 0x1p-200, 0x1p-201, kInf, -kInf,  kNaN};
    for (double a : parts)
        for (double b : parts)
            for (double c : parts)
                for (double d : parts)
                    ExpectSame({a, b}, {c, d});
}

// Parts of random sign and size, a sixth of them zero, across and beyond the range divided inline.
TEST(ComplexDivisionTest, RandomOperandsMatchTheLibrary)
{
    std::mt19937_64 random(3);
    std::uniform_real_distribution<double> mantissa(-1.0, 1.0);
    std::uniform_int_distribution<int> exponent(-260, 260);
    std::uniform_int_distribution<int> kind(0, 5);
    const auto part = [&] { return kind(random) == 0 ? 0.0 : std::ldexp(mantissa(random), exponent(random)); };
    for (int i = 0; i < 200000; ++i)
        ExpectSame({part(), part()}, {part(), part()});
}

} // namespace
