#include "dsp/filters/RBJ/BiquadDesign.h"

#include "dsp/filters/DesignLimits.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace Dsp::RBJ {

BiquadDesign::BiquadDesign() : cascade(section)
{
}

std::vector<PoleZeroPair> BiquadDesign::GetPoleZeroPairs() const
{
    if (cascade.GetNumStages() == 0)
        return {};
    return {section[0].GetPoleZeroPair().pair};
}

void BiquadDesign::Design(const FilterParams& p, NumeratorFormula numerator)
{
    const double fs = p[0];
    const double f = std::min(p[1], kMaxFrequencyFraction * fs);
    const double q = p[2];
    const double w0 = f * 2.0 * std::numbers::pi / fs;
    const double cosW0 = std::cos(w0);
    const double alpha = std::sin(w0) / (2.0 * q);
    const double a0 = 1.0 + alpha;
    const Numerator b = numerator(cosW0, alpha, q);
    BiquadSection s;
    s.a0 = a0;
    s.a1 = -2.0 * cosW0 / a0;
    s.a2 = (1.0 - alpha) / a0;
    s.b0 = b.b0 / a0;
    s.b1 = b.b1 / a0;
    s.b2 = b.b2 / a0;
    cascade.SetSingleStage(s);
}

} // namespace Dsp::RBJ
