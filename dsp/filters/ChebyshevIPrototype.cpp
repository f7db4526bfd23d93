#include "dsp/filters/ChebyshevIPrototype.h"

#include <cmath>
#include <numbers>

namespace Dsp {

ChebyshevIPrototype::ChebyshevIPrototype(PoleZeroLayout& layout) : layout(layout)
{
}

void ChebyshevIPrototype::Design(int order, double rippleDb)
{
    if (order == designedOrder && rippleDb == designedRippleDb)
        return;
    designedOrder = order;
    designedRippleDb = rippleDb;
    layout.Clear();
    const double n = order;
    const double eps = std::sqrt(1.0 / std::exp(-rippleDb * 0.1 * std::numbers::ln10) - 1.0);
    const double inverse = 1.0 / eps;
    const double mu = std::log(inverse + std::sqrt(inverse * inverse + 1.0)) / n;
    const double s = -std::sinh(mu);
    const double c = std::cosh(mu);
    for (int i = 0; i < order / 2; ++i) {
        const int k = 2 * i + 1 - order;
        const double angle = k * std::numbers::pi / (2.0 * n);
        layout.AddConjugatePair(Complex(s * std::cos(angle), c * std::sin(angle)), kInfinity);
    }
    layout.normalW = 0.0;
    if (order % 2 == 1) {
        layout.AddSingle(s, kInfinity);
        layout.normalGain = 1.0;
    } else {
        layout.normalGain = std::pow(10.0, -rippleDb / 20.0);
    }
}

} // namespace Dsp
