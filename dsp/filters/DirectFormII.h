#pragma once

#include "dsp/SamplePair.h"
#include "dsp/filters/BiquadSection.h"
#include "dsp/filters/DenormalFlush.h"
#include "dsp/filters/GlideSection.h"
#include "dsp/filters/GlideState.h"

namespace Dsp {

// The recursion of one stage in direct form II, on one channel's samples or, as SamplePair,
// on two channels side by side: the two previous values of the internal signal.
template <class Sample>
struct DirectFormIIMemory {
    Sample w1{};
    Sample w2{};

    // guard, a tiny offset against denormals, is added at the recursive node. As in direct
    // form I, vanishing values are flushed once per block (FlushMemory), not here.
    [[gnu::always_inline]] Sample Process(Sample x, const BiquadSection& s, Sample guard)
    {
        // The last value comes in last: one multiply and one subtraction wait for it.
        const Sample u = ((x + guard) - s.a2 * w2) - s.a1 * w1;
        const Sample out = s.b0 * u + s.b1 * w1 + s.b2 * w2;
        w2 = w1;
        w1 = u;
        return out;
    }

    void FlushMemory()
    {
        w1 = FlushVanishing(w1);
        w2 = FlushVanishing(w2);
    }
};

// Memory of one stage in direct form II.
struct DirectFormII : DirectFormIIMemory<double> {
    using Pair = DirectFormIIMemory<SamplePair>;

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

    // Two channels' memories side by side, and apart again.
    static Pair Join(const DirectFormII& left, const DirectFormII& right)
    {
        return {SamplePair{left.w1, right.w1}, SamplePair{left.w2, right.w2}};
    }

    static void Split(const Pair& both, DirectFormII& left, DirectFormII& right)
    {
        left.w1 = both.w1[0];
        left.w2 = both.w2[0];
        right.w1 = both.w1[1];
        right.w2 = both.w2[1];
    }
};

} // namespace Dsp
