#pragma once

#include "dsp/SamplePair.h"
#include "dsp/filters/DenormalFlush.h"
#include "dsp/filters/GlideSection.h"

#include <array>

namespace Dsp {

// Memory of one stage while its coefficients glide: the state of a GlideSection, of one
// channel or (SamplePair) of two side by side.
template <class Value>
struct GlideMemory {
    Value s1{};
    Value s2{};

    // The input comes in last, so that a stage waits for the one before it by one multiply
    // and one addition. Nothing is flushed here, on the recursion's path: FlushMemory does,
    // after each sample of one channel and after each run of a pair.
    [[gnu::always_inline]] Value Process(Value x, const GlideSection& s)
    {
        const Value out = s.d * x + (s.c1 * s1 + s.c2 * s2);
        const Value next1 = s.b1 * x + (s.a11 * s1 + s.a12 * s2);
        const Value next2 = s.b2 * x + (s.a21 * s1 + s.a22 * s2);
        s1 = next1;
        s2 = next2;
        return out;
    }

    void FlushMemory()
    {
        s1 = FlushVanishing(s1);
        s2 = FlushVanishing(s2);
    }
};

using GlideState = GlideMemory<double>;

// The coefficients of a glide section that a step uses, each in both lanes of a pair, on the
// way from one section to another: from + span * position, GlideSection::Between's sums.
struct GlideBlendPair {
    enum Coefficient { kC1, kC2, kD, kA11, kA12, kB1, kA21, kA22, kB2, kCount };

    std::array<SamplePair, kCount> from;
    std::array<SamplePair, kCount> span;

    static GlideBlendPair Between(const GlideSection& a, const GlideSection& b)
    {
        const double ends[kCount][2] = {{a.c1, b.c1},   {a.c2, b.c2},   {a.d, b.d},     {a.a11, b.a11}, {a.a12, b.a12},
                                        {a.b1, b.b1},   {a.a21, b.a21}, {a.a22, b.a22}, {a.b2, b.b2}};
        GlideBlendPair blend;
        for (int i = 0; i < kCount; ++i) {
            blend.from[i] = SamplePair{ends[i][0], ends[i][0]};
            const double span = ends[i][1] - ends[i][0];
            blend.span[i] = SamplePair{span, span};
        }
        return blend;
    }

    [[gnu::always_inline]] SamplePair At(Coefficient c, SamplePair position) const
    {
        return from[c] + span[c] * position;
    }

    // GlideMemory::Process through the coefficients at `position`.
    [[gnu::always_inline]] SamplePair Process(GlideMemory<SamplePair>& m, SamplePair x, SamplePair position) const
    {
        const SamplePair out = At(kD, position) * x + (At(kC1, position) * m.s1 + At(kC2, position) * m.s2);
        const SamplePair next1 = At(kB1, position) * x + (At(kA11, position) * m.s1 + At(kA12, position) * m.s2);
        const SamplePair next2 = At(kB2, position) * x + (At(kA21, position) * m.s1 + At(kA22, position) * m.s2);
        m.s1 = next1;
        m.s2 = next2;
        return out;
    }
};

} // namespace Dsp
