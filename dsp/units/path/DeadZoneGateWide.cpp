#include "dsp/units/path/DeadZoneGateWide.h"

#include "dsp/units/path/WideLanes.h"

#include <immintrin.h>

// Only the functions marked with the target attribute use the wide instructions.

namespace
{

using namespace WideLanes;

struct GateLanes
{
    __m256d threshold;
    __m256d knee;
    __m256d kneeTop;
};

[[gnu::target("avx2,fma")]] [[gnu::always_inline]] inline __m256d Gated(__m256d x, const GateLanes& gate)
{
    const __m256d m = _mm256_andnot_pd(_mm256_set1_pd(-0.0), x);
    // Not at or above the threshold: a NaN sample is gated too.
    const __m256d silent = _mm256_cmp_pd(m, gate.threshold, _CMP_NGE_UQ);
    const __m256d inKnee = _mm256_andnot_pd(silent, _mm256_cmp_pd(m, gate.kneeTop, _CMP_LT_OQ));
    // Samples seldom lie in the knee, so the divide is left out where none does.
    if (!_mm256_testz_pd(inKnee, inKnee))
    {
        const __m256d share = _mm256_div_pd(_mm256_sub_pd(m, gate.threshold), gate.knee);
        x = _mm256_blendv_pd(x, _mm256_mul_pd(x, share), inKnee);
    }
    return _mm256_andnot_pd(silent, x);
}

[[gnu::target("avx2,fma")]] void GateFrames(double* const io[2], int32_t n, double threshold, double knee,
                                            double kneeTop)
{
    const GateLanes gate{_mm256_set1_pd(threshold), _mm256_set1_pd(knee), _mm256_set1_pd(kneeTop)};
    double* const left = io[0];
    double* const right = io[1];
    int32_t i = 0;
    for (; i + kLanes <= n; i += kLanes)
    {
        _mm256_storeu_pd(left + i, Gated(_mm256_loadu_pd(left + i), gate));
        _mm256_storeu_pd(right + i, Gated(_mm256_loadu_pd(right + i), gate));
    }
    if (i == n)
        return;
    // The last frames through a masked load and store.
    const __m256i mask = TailMask(n - i);
    _mm256_maskstore_pd(left + i, mask, Gated(_mm256_maskload_pd(left + i, mask), gate));
    _mm256_maskstore_pd(right + i, mask, Gated(_mm256_maskload_pd(right + i, mask), gate));
}

} // namespace

void GateSettledWide(double* const io[2], int32_t n, double threshold, double knee, double kneeTop)
{
    GateFrames(io, n, threshold, knee, kneeTop);
}
