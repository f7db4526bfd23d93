#include "dsp/units/path/DistortionWide.h"

#include "dsp/units/SinPiPolynomial.h"

#include <immintrin.h>

// Only the functions marked with the target attribute use the wide instructions.

namespace
{

constexpr int kLanes = 4;

[[gnu::target("avx2,fma")]] [[gnu::always_inline]] inline __m256d FiniteOrZero(__m256d v)
{
    return _mm256_and_pd(v, _mm256_cmp_pd(_mm256_sub_pd(v, v), _mm256_setzero_pd(), _CMP_EQ_OQ));
}

// The first `count` of the four lanes, for a masked load or store of a block's last samples.
[[gnu::target("avx2,fma")]] [[gnu::always_inline]] inline __m256i TailMask(int32_t count)
{
    return _mm256_cmpgt_epi64(_mm256_set1_epi64x(count), _mm256_setr_epi64x(0, 1, 2, 3));
}

// As std::clamp: a NaN lane stays NaN, since max and min give their second operand then.
[[gnu::target("avx2,fma")]] [[gnu::always_inline]] inline __m256d ClampToUnit(__m256d v)
{
    return _mm256_min_pd(_mm256_set1_pd(1.0), _mm256_max_pd(_mm256_set1_pd(-1.0), v));
}

// Four loads: faster than the gather instruction on several processors.
[[gnu::target("avx2,fma")]] [[gnu::always_inline]] inline __m256d Gathered(const double* table, __m128i index)
{
    alignas(16) int32_t at[kLanes];
    _mm_store_si128(reinterpret_cast<__m128i*>(at), index);
    return _mm256_set_pd(table[at[3]], table[at[2]], table[at[1]], table[at[0]]);
}

// Where no lane's four Hermite neighbours reach past an end of the table, each lane's four
// are two 128-bit loads, paired across the two halves by the loads themselves, so that only
// four shuffles make them four vectors; false (nothing written) otherwise.
[[gnu::target("avx2,fma")]] [[gnu::always_inline]] inline bool NeighboursInside(const WideCurve& curve, __m128i index,
                                                                                __m256d& y0, __m256d& y1,
                                                                                __m256d& y2, __m256d& y3)
{
    const __m128i outside = _mm_or_si128(_mm_cmpgt_epi32(_mm_set1_epi32(1), index),
                                         _mm_cmpgt_epi32(index, _mm_set1_epi32(curve.count - 3)));
    if (_mm_movemask_epi8(outside) != 0)
        return false;
    alignas(16) int32_t at[kLanes];
    _mm_store_si128(reinterpret_cast<__m128i*>(at), _mm_sub_epi32(index, _mm_set1_epi32(1)));
    const double* r0 = curve.table + at[0];
    const double* r1 = curve.table + at[1];
    const double* r2 = curve.table + at[2];
    const double* r3 = curve.table + at[3];
    // Lanes 0 and 2 in one register, 1 and 3 in the other: each half holds a lane's pair.
    const __m256d front02 = _mm256_loadu2_m128d(r2, r0);
    const __m256d front13 = _mm256_loadu2_m128d(r3, r1);
    const __m256d back02 = _mm256_loadu2_m128d(r2 + 2, r0 + 2);
    const __m256d back13 = _mm256_loadu2_m128d(r3 + 2, r1 + 2);
    y0 = _mm256_unpacklo_pd(front02, front13);
    y1 = _mm256_unpackhi_pd(front02, front13);
    y2 = _mm256_unpacklo_pd(back02, back13);
    y3 = _mm256_unpackhi_pd(back02, back13);
    return true;
}

// NaN reads as 0, as in the portable look-up.
[[gnu::target("avx2,fma")]] [[gnu::always_inline]] inline __m256d Interpolated(const WideCurve& curve, __m256d x)
{
    x = _mm256_and_pd(x, _mm256_cmp_pd(x, x, _CMP_ORD_Q));
    const __m256d position = _mm256_mul_pd(_mm256_mul_pd(_mm256_add_pd(ClampToUnit(x), _mm256_set1_pd(1.0)),
                                                         _mm256_set1_pd(0.5)),
                                           _mm256_set1_pd(curve.lastIndex));
    const __m128i index = _mm256_cvttpd_epi32(position);
    const __m256d t = _mm256_sub_pd(position, _mm256_cvtepi32_pd(index));
    // Neighbours repeat the end points.
    const __m128i last = _mm_set1_epi32(curve.count - 1);
    const __m256d one = _mm256_set1_pd(1.0);
    if (!curve.hermite)
    {
        const __m128i next = _mm_min_epi32(_mm_add_epi32(index, _mm_set1_epi32(1)), last);
        const __m256d y1 = Gathered(curve.table, index);
        const __m256d y2 = Gathered(curve.table, next);
        return _mm256_add_pd(_mm256_mul_pd(_mm256_sub_pd(one, t), y1), _mm256_mul_pd(t, y2));
    }

    __m256d y0, y1, y2, y3;
    if (!NeighboursInside(curve, index, y0, y1, y2, y3))
    {
        y1 = Gathered(curve.table, index);
        y2 = Gathered(curve.table, _mm_min_epi32(_mm_add_epi32(index, _mm_set1_epi32(1)), last));
        y0 = Gathered(curve.table, _mm_max_epi32(_mm_sub_epi32(index, _mm_set1_epi32(1)), _mm_setzero_si128()));
        y3 = Gathered(curve.table, _mm_min_epi32(_mm_add_epi32(index, _mm_set1_epi32(2)), last));
    }
    // The Hermite polynomial in powers of t, summed by Horner's rule with fused multiply-adds:
    // the portable sum of its four basis functions to within rounding, in half the operations.
    const __m256d half = _mm256_set1_pd(0.5);
    const __m256d rise = _mm256_sub_pd(y2, y1);
    const __m256d m0 = _mm256_mul_pd(_mm256_sub_pd(y2, y0), half);
    const __m256d m1 = _mm256_mul_pd(_mm256_sub_pd(y3, y1), half);
    const __m256d cubic = _mm256_fnmadd_pd(_mm256_set1_pd(2.0), rise, _mm256_add_pd(m0, m1));
    const __m256d square = _mm256_sub_pd(_mm256_sub_pd(rise, cubic), m0);
    return _mm256_fmadd_pd(_mm256_fmadd_pd(_mm256_fmadd_pd(cubic, t, square), t, m0), t, y1);
}

// One step of the pass on four samples.
[[gnu::target("avx2,fma")]] [[gnu::always_inline]] inline __m256d Shaped(__m256d dry, const WideCurve& curve, __m256d gain,
                                                                         __m256d mix, __m256d keep, bool folding)
{
    dry = FiniteOrZero(dry);
    __m256d wet = ClampToUnit(_mm256_mul_pd(gain, Interpolated(curve, dry)));
    // Reaches up to 2 in magnitude before the mix: 2 sin(wet pi / 2), by the portable pass's polynomial.
    if (folding)
    {
        const __m256d half = _mm256_mul_pd(wet, _mm256_set1_pd(0.5));
        SinPiNear(half, wet);
        wet = _mm256_mul_pd(_mm256_set1_pd(2.0), wet);
    }
    return _mm256_add_pd(_mm256_mul_pd(mix, wet), _mm256_mul_pd(keep, dry));
}

// Four frames of both channels a step, each channel in a register of its own; the last
// frames through a masked load and store.
[[gnu::target("avx2,fma")]] void ShapeFrames(double* const io[2], int32_t n, const WideCurve& curve, double gainValue,
                                             double mixValue, bool folding)
{
    const __m256d gain = _mm256_set1_pd(gainValue);
    const __m256d mix = _mm256_set1_pd(mixValue);
    const __m256d keep = _mm256_set1_pd(1.0 - mixValue);
    int32_t i = 0;
    for (; i + kLanes <= n; i += kLanes)
        for (int channel = 0; channel < 2; ++channel)
            _mm256_storeu_pd(io[channel] + i,
                             Shaped(_mm256_loadu_pd(io[channel] + i), curve, gain, mix, keep, folding));
    if (i == n)
        return;
    const __m256i mask = TailMask(n - i);
    for (int channel = 0; channel < 2; ++channel)
        _mm256_maskstore_pd(io[channel] + i, mask,
                            Shaped(_mm256_maskload_pd(io[channel] + i, mask), curve, gain, mix, keep, folding));
}

[[gnu::target("avx2,fma")]] void LookUp(const WideCurve& curve, const double* in, double* out, int32_t n)
{
    int32_t i = 0;
    for (; i + kLanes <= n; i += kLanes)
        _mm256_storeu_pd(out + i, Interpolated(curve, _mm256_loadu_pd(in + i)));
    if (i == n)
        return;
    // The last samples through a masked load and store.
    const __m256i mask = TailMask(n - i);
    _mm256_maskstore_pd(out + i, mask, Interpolated(curve, _mm256_maskload_pd(in + i, mask)));
}

} // namespace

void LookupBlockWide(const WideCurve& curve, const double* in, double* out, int32_t n)
{
    LookUp(curve, in, out, n);
}

std::optional<WideCurve> WideCurveOf(const DistortionCurve& curve, const double* table)
{
    const bool hermite = curve.interpolation == DistortionCurve::kHermiteInterpolation;
    const bool linear = curve.interpolation == DistortionCurve::kLinearInterpolation ||
                        curve.interpolation > DistortionCurve::kHermiteInterpolation;
    if (table == nullptr || curve.count == 0 || !(hermite || linear))
        return std::nullopt;
    return WideCurve{table, curve.count, curve.lastIndex, hermite};
}

void ShapeSettledWide(double* const io[2], int32_t n, const WideCurve& curve, double gain, double mix, bool folding)
{
    ShapeFrames(io, n, curve, gain, mix, folding);
}
