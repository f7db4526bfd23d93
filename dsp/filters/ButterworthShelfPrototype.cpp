#include "dsp/filters/ButterworthShelfPrototype.h"

#include <cmath>
#include <numbers>

namespace Dsp {

ButterworthShelfPrototype::ButterworthShelfPrototype(PoleZeroLayout& layout) : layout(layout)
{
}

void ButterworthShelfPrototype::Design(int order, double gainDb)
{
    if (order == designedOrder && gainDb == designedGainDb)
        return;
    designedOrder = order;
    designedGainDb = gainDb;
    layout.Clear();
    const double n = order;
    // Poles on the circle of radius 1/r, zeros on the circle of radius r.
    const double g = std::pow(10.0, gainDb / 20.0);
    const double r = std::pow(g, 1.0 / (2.0 * n));
    for (int i = 1; i <= order / 2; ++i) {
        const double theta = (0.5 - (2 * i - 1) / (2.0 * n)) * std::numbers::pi;
        const double c = std::cos(theta);
        const double s = std::sin(theta);
        layout.AddConjugatePair(Complex(-c / r, -s / r), Complex(-r * c, -r * s));
    }
    if (order % 2 == 1)
        layout.AddSingle(-1.0 / r, -r);
}

} // namespace Dsp
