#include "dsp/units/path/QuantizerWide.h"

#include <cmath>
#include <immintrin.h>

// Only the functions marked with the target attribute use the wide instructions.

namespace
{

constexpr int kLanes = 4;
constexpr double kSmallestFactor = 0x1p-500;
constexpr double kLargestFactor = 0x1p500;

[[gnu::target("avx2,fma")]] __m256d FiniteOrZero(__m256d v)
{
    return _mm256_and_pd(v, _mm256_cmp_pd(_mm256_sub_pd(v, v), _mm256_setzero_pd(), _CMP_EQ_OQ));
}

// With y the rounded reciprocal of f and q within an ulp of t / f, the remainder t - q f is
// exact and one step of q + r y rounds as t / f does. The first step brings the product t y
// within that ulp, the second rounds it.
[[gnu::target("avx2,fma")]] __m256d Quantized(__m256d x, __m256d factor, __m256d reciprocal)
{
    const __m256d whole = _mm256_round_pd(_mm256_mul_pd(factor, FiniteOrZero(x)), _MM_FROUND_TO_ZERO | _MM_FROUND_NO_EXC);
    __m256d q = _mm256_mul_pd(whole, reciprocal);
    q = _mm256_fmadd_pd(_mm256_fnmadd_pd(q, factor, whole), reciprocal, q);
    q = _mm256_fmadd_pd(_mm256_fnmadd_pd(q, factor, whole), reciprocal, q);
    // A zero keeps the sign the divide gives it.
    q = _mm256_or_pd(q, _mm256_and_pd(whole, _mm256_set1_pd(-0.0)));
    return FiniteOrZero(q);
}

[[gnu::target("avx2,fma")]] void QuantizeChannel(double* samples, int32_t n, double factorValue)
{
    const __m256d factor = _mm256_set1_pd(factorValue);
    const __m256d reciprocal = _mm256_set1_pd(1.0 / factorValue);
    int32_t i = 0;
    for (; i + kLanes <= n; i += kLanes)
        _mm256_storeu_pd(samples + i, Quantized(_mm256_loadu_pd(samples + i), factor, reciprocal));
    if (i == n)
        return;
    // The last frames through a masked load and store.
    const __m256i lanes = _mm256_setr_epi64x(0, 1, 2, 3);
    const __m256i mask = _mm256_cmpgt_epi64(_mm256_set1_epi64x(n - i), lanes);
    const __m256d tail = _mm256_maskload_pd(samples + i, mask);
    _mm256_maskstore_pd(samples + i, mask, Quantized(tail, factor, reciprocal));
}

} // namespace

bool QuantizeWideServes(double factor)
{
    const double magnitude = std::fabs(factor);
    return magnitude >= kSmallestFactor && magnitude <= kLargestFactor;
}

void QuantizeWide(double* const io[2], int32_t n, double factor)
{
    QuantizeChannel(io[0], n, factor);
    QuantizeChannel(io[1], n, factor);
}
