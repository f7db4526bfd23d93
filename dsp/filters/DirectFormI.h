#pragma once

#include "dsp/filters/BiquadSection.h"
#include "dsp/filters/DenormalFlush.h"
#include "dsp/filters/GlideSection.h"
#include "dsp/filters/GlideState.h"

namespace Dsp {

// Memory of one stage in direct form I: the two previous inputs and outputs. It also keeps
// the internal signal of the equivalent direct form II (input through the denominator
// alone), which the stage's inputs and outputs do not determine when a pole meets a zero,
// as in a shelf at 0 dB: a glide starts from it.
struct DirectFormI {
    double x2 = 0.0;
    double y2 = 0.0;
    double x1 = 0.0;
    double y1 = 0.0;
    double u1 = 0.0;
    double u2 = 0.0;

    // guard, a tiny offset against denormals, is added to the input, so that it passes the
    // normalised response of the cascade like the signal rather than the recursion alone.
    double Process(double x, const BiquadSection& s, double guard)
    {
        const double in = x + guard;
        const double out = FlushVanishing(s.b0 * in + s.b1 * x1 + s.b2 * x2 - s.a1 * y1 - s.a2 * y2);
        const double u = FlushVanishing(in - s.a1 * u1 - s.a2 * u2);
        x2 = x1;
        y2 = y1;
        x1 = in;
        y1 = out;
        u2 = u1;
        u1 = u;
        return out;
    }

    // The memory in the coordinates of the glide section of the same stage, whose input is
    // inputScale times this stage's input; and back.
    GlideState ToGlide(const GlideSection& glide, double inputScale) const;
    void FromGlide(const BiquadSection& section, const GlideSection& glide, double inputScale, const GlideState& state);
};

} // namespace Dsp
