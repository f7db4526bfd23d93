#pragma once

#include "dsp/SamplePair.h"
#include "dsp/filters/BiquadSection.h"
#include "dsp/filters/DenormalFlush.h"
#include "dsp/filters/GlideSection.h"
#include "dsp/filters/GlideState.h"

namespace Dsp {

// The recursion of one stage in direct form I, on one channel's samples or, as SamplePair,
// on two channels side by side: the two previous inputs and outputs. It also keeps the
// internal signal of the equivalent direct form II (input through the denominator alone),
// which the stage's inputs and outputs do not determine when a pole meets a zero, as in a
// shelf at 0 dB: a glide starts from it.
template <class Sample>
struct DirectFormIMemory {
    Sample x2{};
    Sample y2{};
    Sample x1{};
    Sample y1{};
    Sample u1{};
    Sample u2{};

    // guard, a tiny offset against denormals, is added to the input, so that it passes the
    // normalised response of the cascade like the signal rather than the recursion alone.
    // Nothing is flushed here, on the recursion's critical path: the block runs with
    // flush-to-zero set, and FlushMemory once per block keeps a decaying memory out of the
    // denormal range where it is not.
    [[gnu::always_inline]] Sample Process(Sample x, const BiquadSection& s, Sample guard)
    {
        const Sample in = x + guard;
        // The last output comes in last: one multiply and one subtraction wait for it.
        const Sample out = ((s.b0 * in + s.b1 * x1) + (s.b2 * x2 - s.a2 * y2)) - s.a1 * y1;
        const Sample u = (in - s.a2 * u2) - s.a1 * u1;
        x2 = x1;
        y2 = y1;
        x1 = in;
        y1 = out;
        u2 = u1;
        u1 = u;
        return out;
    }

    void FlushMemory()
    {
        for (Sample* value : {&x2, &y2, &x1, &y1, &u1, &u2})
            *value = FlushVanishing(*value);
    }
};

// Memory of one stage in direct form I.
struct DirectFormI : DirectFormIMemory<double> {
    using Pair = DirectFormIMemory<SamplePair>;

    // The memory in the coordinates of the glide section of the same stage, whose input is
    // inputScale times this stage's input; and back.
    GlideState ToGlide(const GlideSection& glide, double inputScale) const;
    void FromGlide(const BiquadSection& section, const GlideSection& glide, double inputScale, const GlideState& state);

    // Two channels' memories side by side, and apart again.
    static Pair Join(const DirectFormI& left, const DirectFormI& right)
    {
        return {SamplePair{left.x2, right.x2}, SamplePair{left.y2, right.y2}, SamplePair{left.x1, right.x1},
                SamplePair{left.y1, right.y1}, SamplePair{left.u1, right.u1}, SamplePair{left.u2, right.u2}};
    }

    static void Split(const Pair& both, DirectFormI& left, DirectFormI& right)
    {
        for (int lane = 0; lane < 2; ++lane) {
            DirectFormI& memory = lane == 0 ? left : right;
            memory.x2 = both.x2[lane];
            memory.y2 = both.y2[lane];
            memory.x1 = both.x1[lane];
            memory.y1 = both.y1[lane];
            memory.u1 = both.u1[lane];
            memory.u2 = both.u2[lane];
        }
    }
};

} // namespace Dsp
