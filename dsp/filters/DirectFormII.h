#pragma once

#include "dsp/filters/BiquadSection.h"
#include "dsp/filters/DenormalFlush.h"
#include "dsp/filters/GlideSection.h"
#include "dsp/filters/GlideState.h"

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

    // The memory in the coordinates of the glide section of the same stage, whose input is
    // inputScale times this stage's input; and back.
    GlideState ToGlide(const GlideSection& glide, double inputScale) const
    {
        const GlideSection::Pair state = glide.FromCanonical({w1 * inputScale, w2 * inputScale});
        return {state.first, state.second};
    }

    void FromGlide(const BiquadSection&, const GlideSection& glide, double inputScale, const GlideState& state)
    {
        const GlideSection::Pair w = glide.ToCanonical({state.s1, state.s2});
        w1 = w.first / inputScale;
        w2 = w.second / inputScale;
    }
};

} // namespace Dsp
