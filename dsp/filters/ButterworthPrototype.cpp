#include "dsp/filters/ButterworthPrototype.h"

#include <cmath>
#include <numbers>

namespace Dsp {

ButterworthPrototype::ButterworthPrototype(PoleZeroLayout& layout) : layout(layout)
{
}

void ButterworthPrototype::Design(int order)
{
    if (order == designedOrder)
        return;
    designedOrder = order;
    layout.Clear();
    const double n = order;
    for (int k = 0; k < order / 2; ++k) {
        const double theta = (2 * k + 1) * std::numbers::pi / (2.0 * n) + std::numbers::pi / 2.0;
        layout.AddConjugatePair(Complex(std::cos(theta), std::sin(theta)), kInfinity);
    }
    if (order % 2 == 1)
        layout.AddSingle(-1.0, kInfinity);
}

} // namespace Dsp
