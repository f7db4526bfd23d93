#include "dsp/filters/BiquadSection.h"

#include <numbers>

namespace Dsp {

namespace {

struct Quadratic {
    double linear;
    double constant;
};

// z^2 + linear z + constant with the two given roots.
Quadratic FromRoots(const Complex& root1, const Complex& root2)
{
    if (root1.imag() != 0.0)
        return {-2.0 * root1.real(), root1.real() * root1.real() + root1.imag() * root1.imag()};
    return {-(root1.real() + root2.real()), root1.real() * root2.real()};
}

void Roots(double leading, double linear, double constant, Complex& root1, Complex& root2)
{
    const Complex d = std::sqrt(Complex(linear * linear - 4.0 * leading * constant));
    root1 = (-linear - d) / (2.0 * leading);
    root2 = (-linear + d) / (2.0 * leading);
}

} // namespace

void BiquadSection::SetPoleZeroPair(const PoleZeroPair& pair)
{
    a0 = 1.0;
    if (pair.IsSingle()) {
        // The zero goes into b0 and the 1 into b1; the cascade normalisation fixes the gain.
        a1 = -pair.pole1.real();
        a2 = 0.0;
        b0 = -pair.zero1.real();
        b1 = 1.0;
        b2 = 0.0;
        return;
    }
    const Quadratic poles = FromRoots(pair.pole1, pair.pole2);
    const Quadratic zeros = FromRoots(pair.zero1, pair.zero2);
    a1 = poles.linear;
    a2 = poles.constant;
    b0 = 1.0;
    b1 = zeros.linear;
    b2 = zeros.constant;
}

BiquadSection::PoleZeros BiquadSection::GetPoleZeroPair() const
{
    PoleZeros result{};
    const double ua1 = a1 * a0;
    const double ua2 = a2 * a0;
    const double ub0 = b0 * a0;
    const double ub1 = b1 * a0;
    const double ub2 = b2 * a0;
    if (ua2 == 0.0 && ub2 == 0.0) {
        result.pair.pole1 = -ua1 / a0;
        result.pair.zero1 = -ub0 / ub1;
    } else {
        Roots(a0, ua1, ua2, result.pair.pole1, result.pair.pole2);
        Roots(ub0, ub1, ub2, result.pair.zero1, result.pair.zero2);
    }
    result.gain = ub0 / a0;
    return result;
}

Complex BiquadSection::Response(double f) const
{
    const double w = 2.0 * std::numbers::pi * f;
    const Complex e1 = std::polar(1.0, -w);
    const Complex e2 = std::polar(1.0, -2.0 * w);
    return Divide(Numerator(e1, e2), Denominator(e1, e2));
}

} // namespace Dsp
