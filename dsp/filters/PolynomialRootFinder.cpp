#include "dsp/filters/PolynomialRootFinder.h"

#include <algorithm>
#include <cmath>
#include <stdexcept>

namespace Dsp {

namespace {

constexpr int kMaxIterations = 80;
// Every this many iterations the step is shortened by a fraction, to break limit cycles.
constexpr int kFractionPeriod = 10;
constexpr std::array<double, 9> kStepFractions = {0.0, 0.5, 0.25, 0.75, 0.13, 0.38, 0.62, 0.88, 1.0};
constexpr double kRoundoff = 2.220446049250313e-16;
constexpr double kRealRootTolerance = 2e-30;

} // namespace

void PolynomialRootFinder::Laguerre(const Complex* a, int degree, Complex& x)
{
    const double m = degree;
    for (int it = 1; it <= kMaxIterations; ++it) {
        Complex b = a[degree];
        Complex d = 0.0;
        Complex f = 0.0;
        double err = std::abs(b);
        const double abx = std::abs(x);
        for (int j = degree - 1; j >= 0; --j) {
            f = x * f + d;
            d = x * d + b;
            b = x * b + a[j];
            err = std::abs(b) + abx * err;
        }
        if (std::abs(b) <= err * kRoundoff)
            return;
        const Complex g = d / b;
        const Complex g2 = g * g;
        const Complex h = g2 - 2.0 * f / b;
        const Complex sq = std::sqrt((m - 1.0) * (m * h - g2));
        Complex gp = g + sq;
        const Complex gm = g - sq;
        const double abp = std::abs(gp);
        const double abm = std::abs(gm);
        if (abm > abp)
            gp = gm;
        const Complex dx = std::max(abp, abm) > 0.0 ? m / gp : (1.0 + abx) * Complex(std::cos(it), std::sin(it));
        const Complex x1 = x - dx;
        if (x1 == x)
            return;
        if (it % kFractionPeriod != 0)
            x = x1;
        else
            x = x - kStepFractions[it / kFractionPeriod] * dx;
    }
    throw std::logic_error("laguerre failed");
}

void PolynomialRootFinder::Solve(int degree)
{
    std::copy_n(coefficients.begin(), degree + 1, working.begin());
    for (int j = degree - 1; j >= 0; --j) {
        Complex x = 0.0;
        Laguerre(working.data(), j + 1, x);
        if (std::abs(x.imag()) <= kRealRootTolerance * std::abs(x.real()))
            x.imag(0.0);
        roots[j] = x;
        Complex b = working[j + 1];
        for (int jj = j; jj >= 0; --jj) {
            const Complex c = working[jj];
            working[jj] = b;
            b = x * b + c;
        }
    }
    for (int j = 0; j < degree; ++j)
        Laguerre(coefficients.data(), degree, roots[j]);
    // Insertion sort keeps equal keys in their order.
    for (int j = 1; j < degree; ++j) {
        const Complex x = roots[j];
        int i = j - 1;
        while (i >= 0 && roots[i].imag() < x.imag()) {
            roots[i + 1] = roots[i];
            --i;
        }
        roots[i + 1] = x;
    }
}

} // namespace Dsp
