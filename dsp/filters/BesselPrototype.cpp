#include "dsp/filters/BesselPrototype.h"

#include <cmath>

namespace Dsp {

namespace {

double Factorial(int n)
{
    double result = 1.0;
    for (int i = 2; i <= n; ++i)
        result *= i;
    return result;
}

} // namespace

BesselPrototype::BesselPrototype(PoleZeroLayout& layout) : layout(layout)
{
}

void BesselPrototype::Design(int order, PolynomialRootFinder& finder)
{
    if (order == designedOrder)
        return;
    designedOrder = order;
    layout.Clear();
    const int n = order;
    for (int k = 0; k <= n; ++k)
        finder.SetCoefficient(k, Factorial(2 * n - k) / (std::pow(2.0, n - k) * Factorial(k) * Factorial(n - k)));
    finder.Solve(n);
    for (int i = 0; i < n / 2; ++i)
        layout.AddConjugatePair(finder.GetRoot(i), kInfinity);
    if (n % 2 == 1)
        layout.AddSingle(finder.GetRoot(n / 2).real(), kInfinity);
}

} // namespace Dsp
