#include "dsp/units/curves/PortableTrig.h"

#include <array>
#include <bit>
#include <cmath>
#include <cstdint>
#include <limits>

namespace
{
using Wide = unsigned __int128;

// Binary digits of 2/pi, 64 to a word, most significant first: enough for the largest doubles.
constexpr std::array<uint64_t, 20> kTwoOverPiBits = {
    0xA2F9836E4E441529ULL, 0xFC2757D1F534DDC0ULL, 0xDB6295993C439041ULL, 0xFE5163ABDEBBC561ULL,
    0xB7246E3A424DD2E0ULL, 0x06492EEA09D1921CULL, 0xFE1DEB1CB129A73EULL, 0xE88235F52EBB4484ULL,
    0xE99C7026B45F7E41ULL, 0x3991D639835339F4ULL, 0x9C845F8BBDF9283BULL, 0x1FF897FFDE05980FULL,
    0xEF2F118B5A0A6D1FULL, 0x6D367ECF27CB09B7ULL, 0x4F463F669E5FEA2DULL, 0x7527BAC7EBE5F17BULL,
    0x3D0739F78A5292EAULL, 0x6BFB5FB11F8D5D08ULL, 0x56033046FC7B6BABULL, 0xF0CFBC209AF4361DULL,
};

// pi/2 as the sum of two doubles.
constexpr double kHalfPiHigh = 1.5707963267948966;
constexpr double kHalfPiLow = 6.123233995736766e-17;
constexpr double kQuarterPi = 0.7853981633974483;

constexpr int kMantissaBits = 52;
constexpr int kExponentBias = 1023;
constexpr int kWindowBits = 192;

constexpr double InverseFactorial(int n)
{
    double factorial = 1.0;
    for (int k = 2; k <= n; ++k)
        factorial *= k;
    return 1.0 / factorial;
}

// Taylor terms up to x^21 and x^22: below half an ulp on [-pi/4, pi/4].
constexpr int kSinTerms = 10;
constexpr int kCosTerms = 10;

constexpr std::array<double, kSinTerms> SinCoefficients()
{
    std::array<double, kSinTerms> c{};
    for (int k = 1; k <= kSinTerms; ++k)
        c[k - 1] = (k % 2 ? -1.0 : 1.0) * InverseFactorial(2 * k + 1);
    return c;
}

constexpr std::array<double, kCosTerms> CosCoefficients()
{
    std::array<double, kCosTerms> c{};
    for (int k = 2; k < kCosTerms + 2; ++k)
        c[k - 2] = (k % 2 ? -1.0 : 1.0) * InverseFactorial(2 * k);
    return c;
}

constexpr auto kSinCoefficients = SinCoefficients();
constexpr auto kCosCoefficients = CosCoefficients();

// 64 bits of the 256-bit number `limbs` (least significant limb first) starting at bit `position`.
uint64_t BitsAt(const std::array<uint64_t, 5>& limbs, int position)
{
    const int limb = position / 64;
    const int offset = position % 64;
    if (offset == 0)
        return limbs[limb];
    return (limbs[limb] >> offset) | (limbs[limb + 1] << (64 - offset));
}

uint64_t WindowWord(int word, int offset)
{
    if (offset == 0)
        return kTwoOverPiBits[word];
    return (kTwoOverPiBits[word] << offset) | (kTwoOverPiBits[word + 1] >> (64 - offset));
}

// Exact product a * b as a high part and the rounding error (Dekker), without fused operations.
void TwoProduct(double a, double b, double& product, double& error)
{
    constexpr double kSplitter = 134217729.0; // 2^27 + 1
    product = a * b;
    const double ca = kSplitter * a;
    const double aHigh = ca - (ca - a);
    const double aLow = a - aHigh;
    const double cb = kSplitter * b;
    const double bHigh = cb - (cb - b);
    const double bLow = b - bHigh;
    error = ((aHigh * bHigh - product) + aHigh * bLow + aLow * bHigh) + aLow * bLow;
}
}

double PortableTrig::Sin(double x)
{
    return Evaluate(x, 0);
}

double PortableTrig::Cos(double x)
{
    return Evaluate(x, 1);
}

double PortableTrig::Evaluate(double x, unsigned quadrantOffset)
{
    if (!std::isfinite(x))
        return std::numeric_limits<double>::quiet_NaN();
    Reduced reduced{x, 0.0, 0};
    if (std::fabs(x) > kQuarterPi)
        reduced = Reduce(x);
    switch ((reduced.quadrant + quadrantOffset) & 3)
    {
    case 0:
        return SinKernel(reduced.high, reduced.low);
    case 1:
        return CosKernel(reduced.high, reduced.low);
    case 2:
        return -SinKernel(reduced.high, reduced.low);
    default:
        return -CosKernel(reduced.high, reduced.low);
    }
}

// Payne-Hanek reduction: |x| * 2/pi modulo 4 from a 192-bit window of the digits of 2/pi,
// then the fraction times pi/2 in double-double.
PortableTrig::Reduced PortableTrig::Reduce(double x)
{
    const uint64_t bits = std::bit_cast<uint64_t>(std::fabs(x));
    const int biasedExponent = static_cast<int>(bits >> kMantissaBits);
    const uint64_t mantissa = (bits & ((uint64_t{1} << kMantissaBits) - 1)) | (uint64_t{1} << kMantissaBits);
    const int exponent = biasedExponent - kExponentBias - kMantissaBits; // |x| = mantissa * 2^exponent

    // Digits whose weight makes a multiple of 4 drop out of the quadrant.
    const int skipped = exponent > 2 ? exponent - 2 : 0;
    const int word = skipped / 64;
    const int offset = skipped % 64;
    const uint64_t window[3] = {WindowWord(word, offset), WindowWord(word + 1, offset),
                                WindowWord(word + 2, offset)};

    std::array<uint64_t, 5> product{};
    Wide carry = 0;
    for (int i = 2, limb = 0; i >= 0; --i, ++limb)
    {
        const Wide term = static_cast<Wide>(mantissa) * window[i] + carry;
        product[limb] = static_cast<uint64_t>(term);
        carry = term >> 64;
    }
    product[3] = static_cast<uint64_t>(carry);

    const int fractionBits = skipped + kWindowBits - exponent;
    unsigned quadrant = static_cast<unsigned>(BitsAt(product, fractionBits) & 3);
    Wide fraction = (static_cast<Wide>(BitsAt(product, fractionBits - 64)) << 64) | BitsAt(product, fractionBits - 128);

    // Take the nearer quadrant so that the remaining angle lies within [-pi/4, pi/4].
    const bool negative = (fraction >> 127) != 0;
    if (negative)
    {
        fraction = ~fraction + 1;
        ++quadrant;
    }
    Reduced reduced{0.0, 0.0, quadrant & 3};
    if (fraction != 0)
    {
        const uint64_t upper = static_cast<uint64_t>(fraction >> 64);
        const int leadingZeros = upper != 0 ? std::countl_zero(upper)
                                            : 64 + std::countl_zero(static_cast<uint64_t>(fraction));
        const Wide normalised = fraction << leadingZeros;
        const double high = std::ldexp(static_cast<double>(static_cast<uint64_t>(normalised >> 75)), -53 - leadingZeros);
        const double low = std::ldexp(static_cast<double>(static_cast<uint64_t>(normalised >> 22) & ((uint64_t{1} << 53) - 1)),
                                      -106 - leadingZeros);
        double product0 = 0.0;
        double error = 0.0;
        TwoProduct(high, kHalfPiHigh, product0, error);
        error += high * kHalfPiLow + low * kHalfPiHigh;
        reduced.high = product0 + error;
        reduced.low = error - (reduced.high - product0);
        if (negative)
        {
            reduced.high = -reduced.high;
            reduced.low = -reduced.low;
        }
    }
    if (x < 0.0)
    {
        reduced.high = -reduced.high;
        reduced.low = -reduced.low;
        reduced.quadrant = (4 - reduced.quadrant) & 3;
    }
    return reduced;
}

double PortableTrig::SinKernel(double high, double low)
{
    const double square = high * high;
    double series = kSinCoefficients[kSinTerms - 1];
    for (int k = kSinTerms - 2; k >= 0; --k)
        series = series * square + kSinCoefficients[k];
    return high + (low * (1.0 - 0.5 * square) + high * square * series);
}

double PortableTrig::CosKernel(double high, double low)
{
    const double square = high * high;
    double series = kCosCoefficients[kCosTerms - 1];
    for (int k = kCosTerms - 2; k >= 0; --k)
        series = series * square + kCosCoefficients[k];
    const double half = 0.5 * square;
    const double head = 1.0 - half;
    return head + (((1.0 - head) - half) + (square * square * series - high * low));
}
