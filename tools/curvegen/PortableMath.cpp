#include "tools/curvegen/PortableMath.h"

#include <cmath>
#include <limits>

namespace
{
// ln 2 split so that k * kLn2High is exact for every exponent k of a double.
constexpr double kLn2High = 0.6931471803691238;
constexpr double kLn2Low = 1.9082149292705877e-10;
constexpr double kInverseLn2 = 1.4426950408889634;
constexpr double kOverflowArgument = 709.8;
constexpr double kUnderflowArgument = -745.2;
constexpr int kExpTerms = 20;
// tanh is 1 to the last bit beyond this argument.
constexpr double kTanhSaturation = 22.0;
}

double PortableMath::Exp(double x)
{
    if (std::isnan(x))
        return x;
    if (x > kOverflowArgument)
        return std::numeric_limits<double>::infinity();
    if (x < kUnderflowArgument)
        return 0.0;
    const double k = std::floor(x * kInverseLn2 + 0.5);
    const double r = (x - k * kLn2High) - k * kLn2Low;
    // Taylor series of exp(r), |r| <= ln2 / 2.
    double series = 1.0;
    for (int n = kExpTerms; n >= 1; --n)
        series = 1.0 + series * r / n;
    return std::ldexp(series, static_cast<int>(k));
}

double PortableMath::Tanh(double x)
{
    const double magnitude = std::fabs(x);
    if (magnitude > kTanhSaturation)
        return std::copysign(1.0, x);
    const double t = Exp(-2.0 * magnitude);
    return std::copysign((1.0 - t) / (1.0 + t), x);
}
