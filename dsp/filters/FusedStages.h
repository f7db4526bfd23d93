#pragma once

#include "dsp/SamplePair.h"
#include "dsp/filters/BiquadSection.h"
#include "dsp/filters/DirectFormI.h"
#include "dsp/filters/DirectFormII.h"

#include <immintrin.h>

namespace Dsp {

// The recursions of the two direct forms on a stereo pair, each product added without being
// rounded first: on the recursions' critical path a fused multiply-add takes the place of a
// multiply and a subtraction. The sums are those of Process, so the results differ from it
// in the last bits only. For code built for FMA alone, chosen at run time.

[[gnu::target("avx2,fma")]] [[gnu::always_inline]] inline SamplePair ProcessFused(DirectFormIMemory<SamplePair>& m,
                                                                                SamplePair x, const BiquadSection& s,
                                                                                SamplePair guard)
{
    const __m128d in = x + guard;
    const __m128d forward = _mm_fmadd_pd(_mm_set1_pd(s.b0), in, _mm_set1_pd(s.b1) * m.x1);
    const __m128d older = _mm_fnmadd_pd(_mm_set1_pd(s.a2), m.y2, _mm_set1_pd(s.b2) * m.x2);
    const SamplePair out = _mm_fnmadd_pd(_mm_set1_pd(s.a1), m.y1, forward + older);
    const SamplePair u = _mm_fnmadd_pd(_mm_set1_pd(s.a1), m.u1, _mm_fnmadd_pd(_mm_set1_pd(s.a2), m.u2, in));
    m.x2 = m.x1;
    m.y2 = m.y1;
    m.x1 = in;
    m.y1 = out;
    m.u2 = m.u1;
    m.u1 = u;
    return out;
}

[[gnu::target("avx2,fma")]] [[gnu::always_inline]] inline SamplePair ProcessFused(DirectFormIIMemory<SamplePair>& m,
                                                                                SamplePair x, const BiquadSection& s,
                                                                                SamplePair guard)
{
    const SamplePair u =
        _mm_fnmadd_pd(_mm_set1_pd(s.a1), m.w1, _mm_fnmadd_pd(_mm_set1_pd(s.a2), m.w2, x + guard));
    const SamplePair out =
        _mm_fmadd_pd(_mm_set1_pd(s.b0), u, _mm_fmadd_pd(_mm_set1_pd(s.b1), m.w1, _mm_set1_pd(s.b2) * m.w2));
    m.w2 = m.w1;
    m.w1 = u;
    return out;
}

} // namespace Dsp
