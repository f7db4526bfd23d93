#pragma once

#include "dsp/SamplePair.h"
#include "dsp/filters/BiquadSection.h"
#include "dsp/filters/DirectFormI.h"
#include "dsp/filters/DirectFormII.h"
#include "dsp/filters/GlideState.h"

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

// The memory's step of ProcessFused alone, for a last stage that nobody hears: a direct form
// II memory does not hold the output, so the step leaves it out; a direct form I one does.
[[gnu::target("avx2,fma")]] [[gnu::always_inline]] inline void AdvanceFused(DirectFormIMemory<SamplePair>& m,
                                                                          SamplePair x, const BiquadSection& s,
                                                                          SamplePair guard)
{
    ProcessFused(m, x, s, guard);
}

[[gnu::target("avx2,fma")]] [[gnu::always_inline]] inline void AdvanceFused(DirectFormIIMemory<SamplePair>& m,
                                                                          SamplePair x, const BiquadSection& s,
                                                                          SamplePair guard)
{
    const SamplePair u =
        _mm_fnmadd_pd(_mm_set1_pd(s.a1), m.w1, _mm_fnmadd_pd(_mm_set1_pd(s.a2), m.w2, x + guard));
    m.w2 = m.w1;
    m.w1 = u;
}

// GlideBlendPair::Process with each blend and each product added unrounded.
[[gnu::target("avx2,fma")]] [[gnu::always_inline]] inline SamplePair
BlendedAt(const GlideBlendPair& b, GlideBlendPair::Coefficient c, SamplePair position)
{
    return _mm_fmadd_pd(b.span[c], position, b.from[c]);
}

[[gnu::target("avx2,fma")]] [[gnu::always_inline]] inline SamplePair
FromGlideState(const GlideBlendPair& b, const GlideMemory<SamplePair>& m, GlideBlendPair::Coefficient first,
               GlideBlendPair::Coefficient second, SamplePair position)
{
    return _mm_fmadd_pd(BlendedAt(b, first, position), m.s1, BlendedAt(b, second, position) * m.s2);
}

// The memory's step of the blended ProcessFused, alone for a last stage that nobody hears.
[[gnu::target("avx2,fma")]] [[gnu::always_inline]] inline void
AdvanceFused(GlideMemory<SamplePair>& m, SamplePair x, const GlideBlendPair& b, SamplePair position)
{
    using C = GlideBlendPair;
    const SamplePair next1 =
        _mm_fmadd_pd(BlendedAt(b, C::kB1, position), x, FromGlideState(b, m, C::kA11, C::kA12, position));
    const SamplePair next2 =
        _mm_fmadd_pd(BlendedAt(b, C::kB2, position), x, FromGlideState(b, m, C::kA21, C::kA22, position));
    m.s1 = next1;
    m.s2 = next2;
}

[[gnu::target("avx2,fma")]] [[gnu::always_inline]] inline SamplePair
ProcessFused(GlideMemory<SamplePair>& m, SamplePair x, const GlideBlendPair& b, SamplePair position)
{
    using C = GlideBlendPair;
    const SamplePair out = _mm_fmadd_pd(BlendedAt(b, C::kD, position), x, FromGlideState(b, m, C::kC1, C::kC2, position));
    AdvanceFused(m, x, b, position);
    return out;
}

} // namespace Dsp
