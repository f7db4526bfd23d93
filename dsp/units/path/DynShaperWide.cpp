#include "dsp/units/path/DynShaperWide.h"

#include "dsp/units/SinPiPolynomial.h"
#include "dsp/units/path/DynShaper.h"
#include "dsp/units/path/WideLanes.h"

#include <cmath>

// Only the functions marked with the target attribute use the wide instructions.

namespace
{

using Wezmark::DynShaper;
using namespace WideLanes;

constexpr double kSmallestWidth = 0x1p-500;
constexpr double kLargestWidth = 0x1p500;

[[gnu::target("avx2,fma")]] [[gnu::always_inline]] inline __m256d Select(__m256d where, __m256d yes, __m256d no)
{
    return _mm256_blendv_pd(no, yes, where);
}

[[gnu::target("avx2,fma")]] [[gnu::always_inline]] inline __m256d Below(__m256d a, double b)
{
    return _mm256_cmp_pd(a, _mm256_set1_pd(b), _CMP_LT_OQ);
}

[[gnu::target("avx2,fma")]] [[gnu::always_inline]] inline __m256d Above(__m256d a, double b)
{
    return _mm256_cmp_pd(a, _mm256_set1_pd(b), _CMP_GT_OQ);
}

[[gnu::target("avx2,fma")]] [[gnu::always_inline]] inline __m256d Negated(__m256d v)
{
    return _mm256_xor_pd(v, _mm256_set1_pd(-0.0));
}

// sin(pi v) for v in [0, 2), by the symmetries of the sine.
[[gnu::target("avx2,fma")]] [[gnu::always_inline]] inline __m256d SinPi(__m256d v)
{
    const __m256d one = _mm256_set1_pd(1.0);
    const __m256d secondHalf = _mm256_cmp_pd(v, one, _CMP_GE_OQ);
    const __m256d upper = Select(secondHalf, _mm256_sub_pd(v, one), v);
    const __m256d u = Select(Above(upper, 0.5), _mm256_sub_pd(one, upper), upper);
    __m256d y;
    SinPiNear(u, y);
    return Select(secondHalf, Negated(y), y);
}

[[gnu::target("avx2,fma")]] [[gnu::always_inline]] inline __m256d Stepped(const double* table, int steps, __m256d t,
                                                                          __m256d open)
{
    // Only the first steps - 1 entries are reachable; the guard keeps rounding at t near 1 inside.
    __m128i index = _mm256_cvttpd_epi32(_mm256_mul_pd(_mm256_set1_pd(steps - 1), t));
    index = _mm_max_epi32(_mm_min_epi32(index, _mm_set1_epi32(steps - 2)), _mm_setzero_si128());
    return _mm256_and_pd(open, Gathered(table, index));
}

// The waveform at phase t, outside the window (t = 0) 0 for every one of them; `open` holds
// the lanes with 0 < t < 1.
template <uint32_t kWaveform>
[[gnu::target("avx2,fma")]] [[gnu::always_inline]] inline __m256d WaveformValue(__m256d t, __m256d open,
                                                                                const WideBumps& bumps)
{
    const __m256d one = _mm256_set1_pd(1.0);
    const __m256d two = _mm256_set1_pd(2.0);
    const __m256d half = _mm256_set1_pd(0.5);
    const __m256d lowerHalf = Below(t, 0.5);
    const __m256d rising = _mm256_and_pd(Above(t, 0.0), lowerHalf);
    if constexpr (kWaveform == DynShaper::kSine)
        return SinPi(t);
    else if constexpr (kWaveform == DynShaper::kTriangle)
        return Select(lowerHalf, _mm256_mul_pd(two, t), _mm256_sub_pd(one, _mm256_mul_pd(two, _mm256_sub_pd(t, half))));
    else if constexpr (kWaveform == DynShaper::kPulse)
        return _mm256_and_pd(rising, one);
    else if constexpr (kWaveform == DynShaper::kRamp)
        return _mm256_mul_pd(two, Select(lowerHalf, t, _mm256_sub_pd(t, one)));
    else if constexpr (kWaveform == DynShaper::kDoubleSine)
        return SinPi(_mm256_mul_pd(two, t));
    else if constexpr (kWaveform == DynShaper::kSquare)
        return Select(rising, one, _mm256_and_pd(_mm256_and_pd(Above(t, 0.5), Below(t, 1.0)), Negated(one)));
    else if constexpr (kWaveform == DynShaper::kSteps16)
        return Stepped(bumps.steps16, DynShaper::kShortSteps, t, open);
    else if constexpr (kWaveform == DynShaper::kSteps64)
        return Stepped(bumps.steps64, DynShaper::kLongSteps, t, open);
    else
        return _mm256_setzero_pd();
}

// One channel's four samples up to the waveform.
struct Lanes
{
    __m256d x;
    __m256d below;
    __m256d passes;
    __m256d magnitude;
    __m256d t;
    __m256d open;
};

// What a block's pass keeps in registers for every frame.
struct BlockConstants
{
    __m256d lower;
    __m256d upper;
    __m256d width;
    __m256d reciprocal;
    __m256d belowZeroPasses;
    __m256d aboveZeroPasses;
    __m256d driveGain;
};

// Four samples cleaned, driven where the mode asks, and placed in the window.
[[gnu::target("avx2,fma")]] [[gnu::always_inline]] inline Lanes Prepared(__m256d x, const BlockConstants& block,
                                                                         bool driving)
{
    Lanes lanes;
    x = FiniteOrZero(x);
    if (driving)
        x = ClampToUnit(_mm256_mul_pd(block.driveGain, x));
    lanes.x = x;
    lanes.below = Below(x, 0.0);
    lanes.passes = Select(lanes.below, block.belowZeroPasses, block.aboveZeroPasses);
    lanes.magnitude = _mm256_andnot_pd(_mm256_set1_pd(-0.0), x);
    const __m256d inWindow = _mm256_and_pd(_mm256_cmp_pd(block.lower, lanes.magnitude, _CMP_LT_OQ),
                                           _mm256_cmp_pd(lanes.magnitude, block.upper, _CMP_LT_OQ));
    const __m256d inside = _mm256_andnot_pd(lanes.passes, inWindow);
    const __m256d offset = _mm256_sub_pd(lanes.magnitude, block.lower);
    lanes.t = _mm256_and_pd(inside, Divided(offset, block.width, block.reciprocal));
    lanes.open = _mm256_and_pd(Above(lanes.t, 0.0), Below(lanes.t, 1.0));
    return lanes;
}

// The waveform scaled, boosted where the mode asks, and added to the magnitude under the sign.
[[gnu::target("avx2,fma")]] [[gnu::always_inline]] inline __m256d Finished(const Lanes& lanes, __m256d w,
                                                                           const WideBumps& bumps)
{
    __m256d bump = _mm256_mul_pd(_mm256_mul_pd(_mm256_mul_pd(w, _mm256_set1_pd(bumps.a)),
                                               _mm256_set1_pd(DynShaper::kBumpScale)),
                                 _mm256_set1_pd(bumps.inversion));
    if (bumps.boost)
    {
        const __m256d boosted = _mm256_mul_pd(_mm256_set1_pd(DynShaper::kBoostScale * bumps.a), bump);
        bump = Select(Above(boosted, 1.0), _mm256_set1_pd(1.0), boosted);
    }
    const __m256d shaped = _mm256_add_pd(bump, lanes.magnitude);
    return Select(lanes.passes, lanes.x, Select(lanes.below, Negated(shaped), shaped));
}

// Random values for the open lanes of both channels among the `live` ones, drawn frame by
// frame, left before right.
[[gnu::target("avx2,fma")]] [[gnu::always_inline]] inline void Drawn(const Lanes& left, const Lanes& right,
                                                                     __m256d live, __m256d& leftValue,
                                                                     __m256d& rightValue)
{
    const int leftOpen = _mm256_movemask_pd(_mm256_and_pd(live, left.open));
    const int rightOpen = _mm256_movemask_pd(_mm256_and_pd(live, right.open));
    double drawnLeft[kLanes] = {};
    double drawnRight[kLanes] = {};
    for (int lane = 0; lane < kLanes; ++lane)
    {
        if ((leftOpen >> lane) & 1)
            drawnLeft[lane] = DynShaper::NextRandomValue();
        if ((rightOpen >> lane) & 1)
            drawnRight[lane] = DynShaper::NextRandomValue();
    }
    leftValue = _mm256_loadu_pd(drawnLeft);
    rightValue = _mm256_loadu_pd(drawnRight);
}

// Four frames of both channels; the last frames of a block through a masked load and store.
template <uint32_t kWaveform>
[[gnu::target("avx2,fma")]] [[gnu::always_inline]] inline void ShapeFour(double* const io[2], int32_t i, __m256i live,
                                                                         const BlockConstants& block,
                                                                         const WideBumps& bumps, bool tail)
{
    const __m256d inLeft = tail ? _mm256_maskload_pd(io[0] + i, live) : _mm256_loadu_pd(io[0] + i);
    const __m256d inRight = tail ? _mm256_maskload_pd(io[1] + i, live) : _mm256_loadu_pd(io[1] + i);
    const Lanes left = Prepared(inLeft, block, bumps.driving);
    const Lanes right = Prepared(inRight, block, bumps.driving);
    __m256d leftValue;
    __m256d rightValue;
    if constexpr (kWaveform == DynShaper::kRandom)
    {
        Drawn(left, right, _mm256_castsi256_pd(live), leftValue, rightValue);
    }
    else
    {
        leftValue = WaveformValue<kWaveform>(left.t, left.open, bumps);
        rightValue = WaveformValue<kWaveform>(right.t, right.open, bumps);
    }
    const __m256d outLeft = Finished(left, leftValue, bumps);
    const __m256d outRight = Finished(right, rightValue, bumps);
    if (tail)
    {
        _mm256_maskstore_pd(io[0] + i, live, outLeft);
        _mm256_maskstore_pd(io[1] + i, live, outRight);
    }
    else
    {
        _mm256_storeu_pd(io[0] + i, outLeft);
        _mm256_storeu_pd(io[1] + i, outRight);
    }
}

template <uint32_t kWaveform>
[[gnu::target("avx2,fma")]] void ShapeFrames(double* const io[2], int32_t n, const WideBumps& bumps)
{
    const __m256i everyLane = _mm256_set1_epi64x(-1);
    const __m256d allLanes = _mm256_castsi256_pd(everyLane);
    const __m256d none = _mm256_setzero_pd();
    const bool belowPasses = bumps.everythingPasses || bumps.polarity == DynShaper::kPositiveOnly;
    const bool abovePasses = bumps.everythingPasses || bumps.polarity == DynShaper::kNegativeOnly;
    const BlockConstants block{_mm256_set1_pd(bumps.lower),
                               _mm256_set1_pd(bumps.upper),
                               _mm256_set1_pd(bumps.width),
                               _mm256_set1_pd(1.0 / bumps.width),
                               belowPasses ? allLanes : none,
                               abovePasses ? allLanes : none,
                               _mm256_set1_pd(bumps.driveGain)};
    int32_t i = 0;
    for (; i + kLanes <= n; i += kLanes)
        ShapeFour<kWaveform>(io, i, everyLane, block, bumps, false);
    if (i < n)
        ShapeFour<kWaveform>(io, i, TailMask(n - i), block, bumps, true);
}

} // namespace

bool ShapeBumpsWideServes(const WideBumps& bumps)
{
    const double width = std::fabs(bumps.width);
    return bumps.everythingPasses || (width >= kSmallestWidth && width <= kLargestWidth);
}

void ShapeBumpsWide(double* const io[2], int32_t n, const WideBumps& bumps)
{
    switch (bumps.waveform)
    {
    case DynShaper::kSine:
        ShapeFrames<DynShaper::kSine>(io, n, bumps);
        break;
    case DynShaper::kTriangle:
        ShapeFrames<DynShaper::kTriangle>(io, n, bumps);
        break;
    case DynShaper::kPulse:
        ShapeFrames<DynShaper::kPulse>(io, n, bumps);
        break;
    case DynShaper::kRamp:
        ShapeFrames<DynShaper::kRamp>(io, n, bumps);
        break;
    case DynShaper::kDoubleSine:
        ShapeFrames<DynShaper::kDoubleSine>(io, n, bumps);
        break;
    case DynShaper::kSquare:
        ShapeFrames<DynShaper::kSquare>(io, n, bumps);
        break;
    case DynShaper::kSteps16:
        ShapeFrames<DynShaper::kSteps16>(io, n, bumps);
        break;
    case DynShaper::kSteps64:
        ShapeFrames<DynShaper::kSteps64>(io, n, bumps);
        break;
    case DynShaper::kRandom:
        ShapeFrames<DynShaper::kRandom>(io, n, bumps);
        break;
    default:
        // Adds nothing.
        ShapeFrames<DynShaper::kRandom + 1>(io, n, bumps);
        break;
    }
}
