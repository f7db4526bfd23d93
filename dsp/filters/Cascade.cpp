#include "dsp/filters/Cascade.h"

#include <cmath>
#include <numbers>

namespace Dsp {

Cascade::Cascade(std::span<BiquadSection> stages) : stages(stages)
{
}

void Cascade::SetLayout(const PoleZeroLayout& layout)
{
    numStages = layout.GetNumPairs();
    normalW = layout.normalW;
    for (int i = 0; i < numStages; ++i)
        stages[i].SetPoleZeroPair(layout.GetPair(i));
    if (numStages == 0)
        return;
    const Complex response = Response(layout.normalW / (2.0 * std::numbers::pi));
    const double scale = layout.normalGain / std::hypot(response.real(), response.imag());
    stages[0].b0 *= scale;
    stages[0].b1 *= scale;
    stages[0].b2 *= scale;
}

void Cascade::SetSingleStage(const BiquadSection& section)
{
    stages[0] = section;
    numStages = 1;
    normalW = 0.0;
}

Complex Cascade::Response(double f) const
{
    const double w = 2.0 * std::numbers::pi * f;
    const Complex e1 = std::polar(1.0, -w);
    const Complex e2 = std::polar(1.0, -2.0 * w);
    Complex numerator = 1.0;
    Complex denominator = 1.0;
    for (int i = 0; i < numStages; ++i) {
        numerator *= stages[i].Numerator(e1, e2);
        denominator *= stages[i].Denominator(e1, e2);
    }
    return numerator / denominator;
}

} // namespace Dsp
