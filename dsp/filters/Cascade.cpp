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
    // Designs that differ in their cutoff alone share the normalisation frequency.
    const double f = layout.normalW / (2.0 * std::numbers::pi);
    if (!(f == normalF)) {
        normalF = f;
        normalPoints = UnitCirclePoints(f);
    }
    const Complex response = ResponseAt(normalPoints);
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

Cascade::Points Cascade::UnitCirclePoints(double f)
{
    const double w = 2.0 * std::numbers::pi * f;
    return {std::polar(1.0, -w), std::polar(1.0, -2.0 * w)};
}

Complex Cascade::Response(double f) const
{
    return ResponseAt(UnitCirclePoints(f));
}

Complex Cascade::ResponseAt(const Points& points) const
{
    Complex numerator = 1.0;
    Complex denominator = 1.0;
    for (int i = 0; i < numStages; ++i) {
        numerator *= stages[i].Numerator(points.e1, points.e2);
        denominator *= stages[i].Denominator(points.e1, points.e2);
    }
    return Divide(numerator, denominator);
}

} // namespace Dsp
