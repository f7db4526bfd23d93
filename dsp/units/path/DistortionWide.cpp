#include "dsp/units/path/DistortionWide.h"

#include "dsp/units/SinPiPolynomial.h"

#include <immintrin.h>

// Only the functions marked with the target attribute use the wide instructions.

namespace
{

constexpr int kLanes = 4;
// permute2f128 selectors: both operands' lower halves, or both upper ones.
constexpr int kLowHalves = 0x20;
constexpr int kHighHalves = 0x31;

[[gnu::target("avx2,fma")]] [[gnu::always_inline]] inline __m256d FiniteOrZero(__m256d v)
{
    return _mm256_and_pd(v, _mm256_cmp_pd(_mm256_sub_pd(v, v), _mm256_setzero_pd(), _CMP_EQ_OQ));
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
// are one load, and a transposition makes them four vectors; false (nothing written) otherwise.
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
    const __m256d r0 = _mm256_loadu_pd(curve.table + at[0]);
    const __m256d r1 = _mm256_loadu_pd(curve.table + at[1]);
    const __m256d r2 = _mm256_loadu_pd(curve.table + at[2]);
    const __m256d r3 = _mm256_loadu_pd(curve.table + at[3]);
    const __m256d low01 = _mm256_unpacklo_pd(r0, r1);
    const __m256d high01 = _mm256_unpackhi_pd(r0, r1);
    const __m256d low23 = _mm256_unpacklo_pd(r2, r3);
    const __m256d high23 = _mm256_unpackhi_pd(r2, r3);
    y0 = _mm256_permute2f128_pd(low01, low23, kLowHalves);
    y1 = _mm256_permute2f128_pd(high01, high23, kLowHalves);
    y2 = _mm256_permute2f128_pd(low01, low23, kHighHalves);
    y3 = _mm256_permute2f128_pd(high01, high23, kHighHalves);
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

// One step of the pass on `dry`: lanes left of two frames, then right of both.
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

[[gnu::target("avx2,fma")]] void ShapeFrames(double* const io[2], int32_t n, const WideCurve& curve, double gainValue,
                                             double mixValue, bool folding)
{
    double* left = io[0];
    double* right = io[1];
    const __m256d gain = _mm256_set1_pd(gainValue);
    const __m256d mix = _mm256_set1_pd(mixValue);
    const __m256d keep = _mm256_set1_pd(1.0 - mixValue);
    int32_t i = 0;
    for (; i + 1 < n; i += 2)
    {
        const __m256d out = Shaped(_mm256_set_m128d(_mm_loadu_pd(right + i), _mm_loadu_pd(left + i)), curve, gain,
                                   mix, keep, folding);
        _mm_storeu_pd(left + i, _mm256_castpd256_pd128(out));
        _mm_storeu_pd(right + i, _mm256_extractf128_pd(out, 1));
    }
    if (i == n)
        return;
    // An odd last frame in the first lane of each half.
    const __m256d out = Shaped(_mm256_set_m128d(_mm_load_sd(right + i), _mm_load_sd(left + i)), curve, gain, mix,
                               keep, folding);
    _mm_store_sd(left + i, _mm256_castpd256_pd128(out));
    _mm_store_sd(right + i, _mm256_extractf128_pd(out, 1));
}

[[gnu::target("avx2,fma")]] void LookUp(const WideCurve& curve, const double* in, double* out, int32_t n)
{
    int32_t i = 0;
    for (; i + kLanes <= n; i += kLanes)
        _mm256_storeu_pd(out + i, Interpolated(curve, _mm256_loadu_pd(in + i)));
    if (i == n)
        return;
    // The last samples through a masked load and store.
    const __m256i lanes = _mm256_setr_epi64x(0, 1, 2, 3);
    const __m256i mask = _mm256_cmpgt_epi64(_mm256_set1_epi64x(n - i), lanes);
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
