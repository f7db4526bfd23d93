#include "dsp/units/path/HalfbandDesign.h"

#include <cmath>
#include <cstddef>

namespace
{

constexpr double kPi = 3.141592653589793;
// Terms of the theta series below this magnitude no longer change the sum.
constexpr double kNegligibleTerm = 1e-30;

// The series that place the all-pass poles: numerator and denominator of the Jacobi elliptic
// function values at the points i / order, written with the nome q.
double NumeratorSeries(double q, int order, int i)
{
    double sum = 0.0;
    double term = 0.0;
    int m = 0;
    do
    {
        term = std::pow(-1.0, m) * std::pow(q, m * (m + 1)) * std::sin((2 * m + 1) * kPi * i / order);
        sum += term;
        ++m;
    } while (std::fabs(term) > kNegligibleTerm);
    return sum;
}

double DenominatorSeries(double q, int order, int i)
{
    double sum = 0.0;
    double term = 0.0;
    int m = 1;
    do
    {
        term = std::pow(-1.0, m) * std::pow(q, m * m) * std::cos(2 * m * kPi * i / order);
        sum += term;
        ++m;
    } while (std::fabs(term) > kNegligibleTerm);
    return sum;
}

} // namespace

void DesignHalfband(double transition, std::span<double> coefficients)
{
    const int order = 2 * static_cast<int>(coefficients.size()) + 1;
    // Selectivity: the ratio of the pass-band edge to the stop-band edge, pre-warped.
    const double k = std::pow(std::tan((1.0 - 2.0 * transition) * kPi / 4.0), 2.0);
    const double rootComplement = std::sqrt(std::sqrt(1.0 - k * k));
    const double e = 0.5 * (1.0 - rootComplement) / (1.0 + rootComplement);
    // The nome, from its fast-converging series in e.
    const double q = e + 2.0 * std::pow(e, 5.0) + 15.0 * std::pow(e, 9.0) + 150.0 * std::pow(e, 13.0);

    for (size_t index = 0; index < coefficients.size(); ++index)
    {
        const int i = static_cast<int>(index) + 1;
        const double w = 2.0 * std::pow(q, 0.25) * NumeratorSeries(q, order, i) /
                         (1.0 + 2.0 * DenominatorSeries(q, order, i));
        const double w2 = w * w;
        const double x = std::sqrt((1.0 - w2 * k) * (1.0 - w2 / k)) / (1.0 + w2);
        coefficients[index] = (1.0 - x) / (1.0 + x);
    }
}
