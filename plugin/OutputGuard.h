#pragma once

#include "plugin/Smoother.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <emmintrin.h>

// The output guard: a sample that is no number leaves the plug-in as silence, the rest within
// +10 dB.
namespace OutputGuard
{
// +10 dB: the loudest sample that leaves the plug-in.
constexpr double kClamp = 3.1622776601683795;

inline double Guarded(double sample)
{
    return std::isfinite(sample) ? std::clamp(sample, -kClamp, kClamp) : 0.0;
}

inline __m128d PairAt(const double* values, int32_t k)
{
    return _mm_loadu_pd(values + k);
}

inline __m128d PairAt(SettledValue value, int32_t)
{
    return _mm_set1_pd(value.value);
}

// `samples` scaled by `gains` (a glide's values) and guarded; returns the larger of `peak` and
// their magnitudes. Two samples at a time, each as Guarded does it: a lane minus itself is 0
// exactly when it is finite, and min and max keep such a lane's value where it is in range. The
// guarded samples are numbers, so their magnitudes may be compared in any order.
template <class Values>
double ScaleGuardAndPeak(double* samples, Values gains, int32_t count, double peak)
{
    const __m128d high = _mm_set1_pd(kClamp);
    const __m128d low = _mm_set1_pd(-kClamp);
    const __m128d sign = _mm_set1_pd(-0.0);
    __m128d peaks = _mm_set1_pd(peak);
    int32_t k = 0;
    for (; k + 2 <= count; k += 2)
    {
        __m128d v = _mm_mul_pd(_mm_loadu_pd(samples + k), PairAt(gains, k));
        v = _mm_and_pd(v, _mm_cmpeq_pd(_mm_sub_pd(v, v), _mm_setzero_pd()));
        v = _mm_min_pd(high, _mm_max_pd(low, v));
        _mm_storeu_pd(samples + k, v);
        peaks = _mm_max_pd(peaks, _mm_andnot_pd(sign, v));
    }
    double lanes[2];
    _mm_storeu_pd(lanes, peaks);
    peak = std::max(lanes[0], lanes[1]);
    for (; k < count; ++k)
    {
        samples[k] = Guarded(samples[k] * gains[k]);
        peak = std::max(peak, std::fabs(samples[k]));
    }
    return peak;
}
} // namespace OutputGuard
