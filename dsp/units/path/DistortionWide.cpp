#include "dsp/units/path/DistortionWide.h"

#include "dsp/units/SinPiPolynomial.h"
#include "dsp/units/SmootherStep.h"
#include "dsp/units/path/WideLanes.h"

#include <cmath>
#include <immintrin.h>
#include <type_traits>

// Only the functions marked with the target attribute use the wide instructions.

namespace
{

using namespace WideLanes;

// A curve's table and sizes as the loops keep them in registers for a whole block.
struct TableLanes
{
    const double* table;
    // Half the last index: (x + 1) 0.5 lastIndex is (x + 1) times it to the bit, as halving is exact.
    __m256d halfSpan;
    // The last point, and the last one whose Hermite neighbours all lie inside the table.
    __m128i last;
    __m128i lastInside;
};

[[gnu::target("avx2,fma")]] [[gnu::always_inline]] inline TableLanes LanesOf(const WideCurve& curve)
{
    return TableLanes{curve.table, _mm256_set1_pd(0.5 * curve.lastIndex), _mm_set1_epi32(curve.count - 1),
                      _mm_set1_epi32(curve.count - 3)};
}

// Where no lane's four Hermite neighbours reach past an end of the table, each lane's four
// are two 128-bit loads, paired across the two halves by the loads themselves, so that only
// four shuffles make them four vectors; false (nothing written) otherwise.
[[gnu::target("avx2,fma")]] [[gnu::always_inline]] inline bool NeighboursInside(const TableLanes& curve, __m128i index,
                                                                                __m256d& y0, __m256d& y1,
                                                                                __m256d& y2, __m256d& y3)
{
    const __m128i outside =
        _mm_or_si128(_mm_cmpgt_epi32(_mm_set1_epi32(1), index), _mm_cmpgt_epi32(index, curve.lastInside));
    if (_mm_movemask_epi8(outside) != 0)
        return false;
    const double* at[kLanes];
    PointsAt(curve.table, _mm_sub_epi32(index, _mm_set1_epi32(1)), at);
    // Lanes 0 and 2 in one register, 1 and 3 in the other: each half holds a lane's pair.
    const __m256d front02 = _mm256_loadu2_m128d(at[2], at[0]);
    const __m256d front13 = _mm256_loadu2_m128d(at[3], at[1]);
    const __m256d back02 = _mm256_loadu2_m128d(at[2] + 2, at[0] + 2);
    const __m256d back13 = _mm256_loadu2_m128d(at[3] + 2, at[1] + 2);
    y0 = _mm256_unpacklo_pd(front02, front13);
    y1 = _mm256_unpackhi_pd(front02, front13);
    y2 = _mm256_unpacklo_pd(back02, back13);
    y3 = _mm256_unpackhi_pd(back02, back13);
    return true;
}

// The look-up of four samples, linear or Hermite as the loop was built for. NaN reads as 0,
// as in the portable look-up; a loop whose samples are cleaned already skips that step.
template <bool kHermite, bool kCleaned>
[[gnu::target("avx2,fma")]] [[gnu::always_inline]] inline __m256d Interpolated(const TableLanes& curve, __m256d x)
{
    if constexpr (!kCleaned)
        x = _mm256_and_pd(x, _mm256_cmp_pd(x, x, _CMP_ORD_Q));
    const __m256d position = _mm256_mul_pd(_mm256_add_pd(ClampToUnit(x), _mm256_set1_pd(1.0)), curve.halfSpan);
    const __m128i index = _mm256_cvttpd_epi32(position);
    const __m256d t = _mm256_sub_pd(position, _mm256_cvtepi32_pd(index));
    // Neighbours repeat the end points.
    if constexpr (!kHermite)
    {
        const __m128i next = _mm_min_epi32(_mm_add_epi32(index, _mm_set1_epi32(1)), curve.last);
        const __m256d y1 = Gathered(curve.table, index);
        const __m256d y2 = Gathered(curve.table, next);
        return _mm256_add_pd(_mm256_mul_pd(_mm256_sub_pd(_mm256_set1_pd(1.0), t), y1), _mm256_mul_pd(t, y2));
    }
    else
    {
        __m256d y0, y1, y2, y3;
        if (!NeighboursInside(curve, index, y0, y1, y2, y3))
        {
            y1 = Gathered(curve.table, index);
            y2 = Gathered(curve.table, _mm_min_epi32(_mm_add_epi32(index, _mm_set1_epi32(1)), curve.last));
            y0 = Gathered(curve.table, _mm_max_epi32(_mm_sub_epi32(index, _mm_set1_epi32(1)), _mm_setzero_si128()));
            y3 = Gathered(curve.table, _mm_min_epi32(_mm_add_epi32(index, _mm_set1_epi32(2)), curve.last));
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
}

// What a settled block's pass keeps for every frame.
struct PassLanes
{
    __m256d gain;
    __m256d mix;
    __m256d keep;
};

// One step of the pass on four samples.
template <bool kHermite, bool kFolding>
[[gnu::target("avx2,fma")]] [[gnu::always_inline]] inline __m256d Shaped(__m256d dry, const TableLanes& curve,
                                                                         const PassLanes& pass)
{
    dry = FiniteOrZero(dry);
    __m256d wet = ClampToUnit(_mm256_mul_pd(pass.gain, Interpolated<kHermite, true>(curve, dry)));
    // Reaches up to 2 in magnitude before the mix: 2 sin(wet pi / 2), by the portable pass's polynomial.
    if constexpr (kFolding)
    {
        const __m256d half = _mm256_mul_pd(wet, _mm256_set1_pd(0.5));
        SinPiNear(half, wet);
        wet = _mm256_mul_pd(_mm256_set1_pd(2.0), wet);
    }
    return _mm256_add_pd(_mm256_mul_pd(pass.mix, wet), _mm256_mul_pd(pass.keep, dry));
}

// Four frames of both channels a step, each channel in a register of its own; the last
// frames through a masked load and store. The interpolation and the folding are decided once,
// outside the loop.
template <bool kHermite, bool kFolding>
[[gnu::target("avx2,fma")]] void ShapeFramesWith(double* const io[2], int32_t n, const WideCurve& wide,
                                                 double gainValue, double mixValue)
{
    const TableLanes curve = LanesOf(wide);
    const PassLanes pass{_mm256_set1_pd(gainValue), _mm256_set1_pd(mixValue), _mm256_set1_pd(1.0 - mixValue)};
    double* const left = io[0];
    double* const right = io[1];
    int32_t i = 0;
    for (; i + kLanes <= n; i += kLanes)
    {
        const __m256d shapedLeft = Shaped<kHermite, kFolding>(_mm256_loadu_pd(left + i), curve, pass);
        const __m256d shapedRight = Shaped<kHermite, kFolding>(_mm256_loadu_pd(right + i), curve, pass);
        _mm256_storeu_pd(left + i, shapedLeft);
        _mm256_storeu_pd(right + i, shapedRight);
    }
    if (i == n)
        return;
    const __m256i mask = TailMask(n - i);
    const __m256d shapedLeft = Shaped<kHermite, kFolding>(_mm256_maskload_pd(left + i, mask), curve, pass);
    const __m256d shapedRight = Shaped<kHermite, kFolding>(_mm256_maskload_pd(right + i, mask), curve, pass);
    _mm256_maskstore_pd(left + i, mask, shapedLeft);
    _mm256_maskstore_pd(right + i, mask, shapedRight);
}

// Where a gliding block's amount stands, and the frames until its next step.
struct AmountSteps
{
    double amount;
    int32_t untilStep;
};

// What a gliding block's pass keeps for every frame.
struct GlideLanes
{
    TableLanes curve;
    AmountGlide glide;
    AmountDrive drive;
    // The largest size of an amount that has landed: those below kOffReached toward a target
    // of 0, otherwise 0 alone, as GlideOutStep and the portable pass stop.
    __m256d landing;
};

// The amounts of the next `count` frames (up to four), a lane each; lanes past them repeat
// the last. A smoother that steps every frame needs no count of frames between steps.
template <bool kEveryFrame>
[[gnu::target("avx2,fma")]] [[gnu::always_inline]] inline __m256d NextAmounts(AmountSteps& steps,
                                                                              const AmountGlide& glide,
                                                                              int32_t count)
{
    double lane[kLanes];
    for (int32_t k = 0; k < kLanes; ++k)
    {
        if (k < count)
        {
            if constexpr (kEveryFrame)
                steps.amount = SmootherStep(steps.amount, glide.keep, glide.take, glide.target);
            else
            {
                if (steps.untilStep == 0)
                {
                    steps.amount = SmootherStep(steps.amount, glide.keep, glide.take, glide.target);
                    steps.untilStep = glide.framesPerHostFrame;
                }
                --steps.untilStep;
            }
        }
        lane[k] = steps.amount;
    }
    return _mm256_setr_pd(lane[0], lane[1], lane[2], lane[3]);
}

// Each lane's gain, mix and the dry signal's weight from its amount, as the portable pass
// computes them.
template <bool kDriving>
[[gnu::target("avx2,fma")]] [[gnu::always_inline]] inline PassLanes PassOf(__m256d amount, const AmountDrive& drive)
{
    __m256d gain;
    if constexpr (kDriving)
        gain = _mm256_mul_pd(_mm256_add_pd(_mm256_mul_pd(amount, _mm256_set1_pd(drive.gain)), _mm256_set1_pd(1.0)),
                             _mm256_set1_pd(drive.scale));
    else
        gain = _mm256_mul_pd(_mm256_set1_pd(2.0), amount);
    const __m256d mix = _mm256_mul_pd(amount, _mm256_set1_pd(0.5));
    return PassLanes{gain, mix, _mm256_sub_pd(_mm256_set1_pd(1.0), mix)};
}

// Steps the amount over the `count` frames (up to four) at `left` and `right` and shapes
// them; answers how many it shaped: those before the first where the glide lands.
template <bool kHermite, bool kFolding, bool kDriving, bool kEveryFrame>
[[gnu::target("avx2,fma")]] [[gnu::always_inline]] inline int32_t ShapeGliding(double* left, double* right,
                                                                               int32_t count, AmountSteps& steps,
                                                                               const GlideLanes& pass)
{
    const __m256d amount = NextAmounts<kEveryFrame>(steps, pass.glide, count);
    const __m256d size = _mm256_andnot_pd(_mm256_set1_pd(-0.0), amount);
    const int landed = _mm256_movemask_pd(_mm256_cmp_pd(size, pass.landing, _CMP_LE_OQ)) & ((1 << count) - 1);
    const int32_t shaped = landed == 0 ? count : __builtin_ctz(static_cast<unsigned>(landed));
    const bool whole = count == kLanes;
    const __m256i inBlock = TailMask(count);
    const __m256d dryLeft = whole ? _mm256_loadu_pd(left) : _mm256_maskload_pd(left, inBlock);
    const __m256d dryRight = whole ? _mm256_loadu_pd(right) : _mm256_maskload_pd(right, inBlock);
    const PassLanes lanes = PassOf<kDriving>(amount, pass.drive);
    const __m256d shapedLeft = Shaped<kHermite, kFolding>(dryLeft, pass.curve, lanes);
    const __m256d shapedRight = Shaped<kHermite, kFolding>(dryRight, pass.curve, lanes);
    if (shaped == kLanes)
    {
        _mm256_storeu_pd(left, shapedLeft);
        _mm256_storeu_pd(right, shapedRight);
    }
    else
    {
        const __m256i mask = TailMask(shaped);
        _mm256_maskstore_pd(left, mask, shapedLeft);
        _mm256_maskstore_pd(right, mask, shapedRight);
    }
    return shaped;
}

// Four frames of both channels a step, as the settled pass, each group's amounts stepped
// just before it: the smoother's chain of steps overlaps the look-ups of the frames before.
template <bool kHermite, bool kFolding, bool kDriving, bool kEveryFrame>
[[gnu::target("avx2,fma")]] int32_t ShapeGlidingWith(double* const io[2], int32_t n, const WideCurve& wide,
                                                     const AmountGlide& glide, const AmountDrive& drive,
                                                     double& smoothed)
{
    const double landing = glide.target == 0.0 ? std::nextafter(kOffReached, 0.0) : 0.0;
    const GlideLanes pass{LanesOf(wide), glide, drive, _mm256_set1_pd(landing)};
    AmountSteps steps{smoothed, 0};
    double* const left = io[0];
    double* const right = io[1];
    int32_t i = 0;
    for (; i + kLanes <= n; i += kLanes)
    {
        const int32_t shaped =
            ShapeGliding<kHermite, kFolding, kDriving, kEveryFrame>(left + i, right + i, kLanes, steps, pass);
        if (shaped < kLanes)
        {
            smoothed = 0.0;
            return i + shaped;
        }
    }
    const int32_t rest = n - i;
    if (rest > 0)
    {
        const int32_t shaped =
            ShapeGliding<kHermite, kFolding, kDriving, kEveryFrame>(left + i, right + i, rest, steps, pass);
        if (shaped < rest)
        {
            smoothed = 0.0;
            return i + shaped;
        }
    }
    smoothed = steps.amount;
    return n;
}

// Calls `run` with the flag as a compile-time constant.
template <class Run>
auto WithFlag(bool flag, Run run)
{
    return flag ? run(std::true_type{}) : run(std::false_type{});
}

template <bool kHermite>
[[gnu::target("avx2,fma")]] void LookUp(const WideCurve& wide, const double* in, double* out, int32_t n)
{
    const TableLanes curve = LanesOf(wide);
    int32_t i = 0;
    for (; i + kLanes <= n; i += kLanes)
        _mm256_storeu_pd(out + i, Interpolated<kHermite, false>(curve, _mm256_loadu_pd(in + i)));
    if (i == n)
        return;
    // The last samples through a masked load and store.
    const __m256i mask = TailMask(n - i);
    _mm256_maskstore_pd(out + i, mask, Interpolated<kHermite, false>(curve, _mm256_maskload_pd(in + i, mask)));
}

} // namespace

void LookupBlockWide(const WideCurve& curve, const double* in, double* out, int32_t n)
{
    if (curve.hermite)
        LookUp<true>(curve, in, out, n);
    else
        LookUp<false>(curve, in, out, n);
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
    if (curve.hermite)
    {
        if (folding)
            ShapeFramesWith<true, true>(io, n, curve, gain, mix);
        else
            ShapeFramesWith<true, false>(io, n, curve, gain, mix);
    }
    else if (folding)
        ShapeFramesWith<false, true>(io, n, curve, gain, mix);
    else
        ShapeFramesWith<false, false>(io, n, curve, gain, mix);
}

int32_t ShapeGlidingWide(double* const io[2], int32_t n, const WideCurve& curve, const AmountGlide& glide,
                         const AmountDrive& drive, bool folding, double& smoothed)
{
    return WithFlag(curve.hermite, [&](auto hermite) {
        return WithFlag(folding, [&](auto fold) {
            return WithFlag(drive.driving, [&](auto driving) {
                return WithFlag(glide.framesPerHostFrame == 1, [&](auto everyFrame) {
                    return ShapeGlidingWith<hermite(), fold(), driving(), everyFrame()>(io, n, curve, glide, drive,
                                                                                        smoothed);
                });
            });
        });
    });
}
