#include "dsp/units/path/QuantizerWide.h"

#include "dsp/units/path/WideLanes.h"

#include <cmath>
#include <immintrin.h>

// Only the functions marked with the target attribute use the wide instructions.

namespace
{

using namespace WideLanes;

constexpr double kSmallestFactor = 0x1p-500;
constexpr double kLargestFactor = 0x1p500;

[[gnu::target("avx2,fma")]] __m256d Quantized(__m256d x, __m256d factor, __m256d reciprocal)
{
    const __m256d whole = _mm256_round_pd(_mm256_mul_pd(factor, FiniteOrZero(x)), _MM_FROUND_TO_ZERO | _MM_FROUND_NO_EXC);
    __m256d q = Divided(whole, factor, reciprocal);
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
    const __m256i mask = TailMask(n - i);
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
