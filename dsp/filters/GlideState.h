#pragma once

#include "dsp/filters/DenormalFlush.h"
#include "dsp/filters/GlideSection.h"

namespace Dsp {

// Memory of one stage while its coefficients glide: the state of a GlideSection.
struct GlideState {
    double s1 = 0.0;
    double s2 = 0.0;

    double Process(double x, const GlideSection& s)
    {
        const double out = s.c1 * s1 + s.c2 * s2 + s.d * x;
        const double next1 = s.a11 * s1 + s.a12 * s2 + s.b1 * x;
        const double next2 = s.a21 * s1 + s.a22 * s2 + s.b2 * x;
        s1 = FlushVanishing(next1);
        s2 = FlushVanishing(next2);
        return out;
    }
};

} // namespace Dsp
