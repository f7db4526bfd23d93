#pragma once

#include "dsp/filters/BiquadSection.h"
#include "dsp/filters/DenormalFlush.h"

namespace Dsp {

// Memory of one stage in direct form II: the two previous values of the internal signal.
struct DirectFormII {
    double w1 = 0.0;
    double w2 = 0.0;

    // guard, a tiny offset against denormals, is added at the recursive node.
    double Process(double x, const BiquadSection& s, double guard)
    {
        const double u = FlushVanishing(x - s.a1 * w1 - s.a2 * w2 + guard);
        const double out = s.b0 * u + s.b1 * w1 + s.b2 * w2;
        w2 = w1;
        w1 = u;
        return out;
    }
};

} // namespace Dsp
