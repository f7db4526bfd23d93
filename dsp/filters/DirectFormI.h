#pragma once

#include "dsp/filters/BiquadSection.h"
#include "dsp/filters/DenormalFlush.h"

namespace Dsp {

// Memory of one stage in direct form I: the two previous inputs and outputs.
struct DirectFormI {
    double x2 = 0.0;
    double y2 = 0.0;
    double x1 = 0.0;
    double y1 = 0.0;

    // guard, a tiny offset against denormals, is added at the recursive node.
    double Process(double x, const BiquadSection& s, double guard)
    {
        const double out = FlushVanishing(s.b0 * x + s.b1 * x1 + s.b2 * x2 - s.a1 * y1 - s.a2 * y2 + guard);
        x2 = x1;
        y2 = y1;
        x1 = x;
        y1 = out;
        return out;
    }
};

} // namespace Dsp
