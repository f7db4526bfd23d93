#pragma once

#include <cstdint>
#include <immintrin.h>

// Lane helpers of the AVX2 loops, for files built as wide sources only: each is marked with
// the target it needs and is inlined into the marked loops that call it.

namespace WideLanes
{

constexpr int kLanes = 4;

// Infinite and NaN lanes become 0: a lane minus itself is 0 exactly when it is finite.
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

// Where each lane's index points into `table`, the indices not negative: two moves bring them
// out in pairs, fewer steps than one extraction per lane.
[[gnu::target("avx2,fma")]] [[gnu::always_inline]] inline void PointsAt(const double* table, __m128i index,
                                                                        const double* (&at)[kLanes])
{
    const auto low = static_cast<uint64_t>(_mm_cvtsi128_si64(index));
    const auto high = static_cast<uint64_t>(_mm_extract_epi64(index, 1));
    at[0] = table + static_cast<uint32_t>(low);
    at[1] = table + (low >> 32);
    at[2] = table + static_cast<uint32_t>(high);
    at[3] = table + (high >> 32);
}

// Four loads: faster than the gather instruction on several processors. The indices are not
// negative.
[[gnu::target("avx2,fma")]] [[gnu::always_inline]] inline __m256d Gathered(const double* table, __m128i index)
{
    const double* at[kLanes];
    PointsAt(table, index, at);
    return _mm256_set_pd(*at[3], *at[2], *at[1], *at[0]);
}

// n / d as the divide rounds it, from y, the rounded reciprocal of d, without a divide. With
// q within an ulp of the quotient, the remainder n - q d is exact and one step of q + r y
// rounds as the divide does; the first step brings the product n y within that ulp, the
// second rounds it. Holds while neither d, y nor the remainders overflow or lose bits.
[[gnu::target("avx2,fma")]] [[gnu::always_inline]] inline __m256d Divided(__m256d n, __m256d d, __m256d y)
{
    __m256d q = _mm256_mul_pd(n, y);
    q = _mm256_fmadd_pd(_mm256_fnmadd_pd(q, d, n), y, q);
    return _mm256_fmadd_pd(_mm256_fnmadd_pd(q, d, n), y, q);
}

} // namespace WideLanes
