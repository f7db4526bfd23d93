#pragma once

#include "dsp/filters/DenormalFlush.h"
#include "dsp/filters/GlideSection.h"

namespace Dsp {

// Memory of one stage while its coefficients glide: the state of a GlideSection, of one
// channel or (SamplePair) of two side by side.
template <class Value>
struct GlideMemory {
    Value s1{};
    Value s2{};

    [[gnu::always_inline]] Value Process(Value x, const GlideSection& s)
    {
        const Value out = s.c1 * s1 + s.c2 * s2 + s.d * x;
        const Value next1 = s.a11 * s1 + s.a12 * s2 + s.b1 * x;
        const Value next2 = s.a21 * s1 + s.a22 * s2 + s.b2 * x;
        s1 = FlushVanishing(next1);
        s2 = FlushVanishing(next2);
        return out;
    }
};

using GlideState = GlideMemory<double>;

} // namespace Dsp
