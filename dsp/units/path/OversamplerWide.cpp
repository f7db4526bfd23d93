#include "dsp/units/path/OversamplerWide.h"

#include "dsp/units/path/Oversampler.h"

#include <immintrin.h>

// Only the functions marked with the target attribute use the wide instructions; everything
// else in this file, and every inline function it shares with the rest of the program, is
// compiled for any x86-64 processor.

namespace
{
constexpr int kOddLanes = 0b1100;
constexpr double kHalf = 0.5;
constexpr int64_t kExponentBits = 0x7FF0000000000000;
// Lane orders of the shuffles between the chains' lanes and a split pair's.
constexpr int kInOrder = 0b11011000;
constexpr int kHighOfFirstLowOfSecond = 0x21;
} // namespace

// Lanes: even chain left and right, odd chain left and right. A stage whose odd chain is one
// section shorter lets the odd lanes pass through the even chain's last section.
template <int kSections>
struct HalfbandStageWide
{
    using Stage = HalfbandStage<kSections>;
    static constexpr int kEven = Stage::kEvenSections;
    static constexpr int kOdd = Stage::kOddSections;
    static_assert(kOdd == kEven || kOdd + 1 == kEven);

    template <size_t kEvenCount, size_t kOddCount>
    [[gnu::target("avx2,fma")]] static void Load(const std::array<SamplePair, kEvenCount>& even,
                                                 const std::array<SamplePair, kOddCount>& odd, __m256d* memory)
    {
        for (int k = 0; k <= kEven; ++k)
            memory[k] = _mm256_set_m128d(k <= kOdd ? odd[k] : SamplePair{}, even[k]);
    }

    template <size_t kEvenCount, size_t kOddCount>
    [[gnu::target("avx2,fma")]] static void Store(const __m256d* memory, std::array<SamplePair, kEvenCount>& even,
                                                  std::array<SamplePair, kOddCount>& odd)
    {
        for (int k = 0; k <= kEven; ++k)
        {
            even[k] = _mm256_castpd256_pd128(memory[k]);
            if (k <= kOdd)
                odd[k] = _mm256_extractf128_pd(memory[k], 1);
        }
    }

    [[gnu::target("avx2,fma")]] static void LoadCoefficients(const Stage& stage, __m256d* a)
    {
        for (int k = 0; k < kEven; ++k)
        {
            const double odd = k < kOdd ? stage.oddCoefficients[k] : 0.0;
            a[k] = _mm256_set_pd(odd, odd, stage.evenCoefficients[k], stage.evenCoefficients[k]);
        }
    }

    // The recurrence on each section's last output is one fused multiply-add long.
    [[gnu::target("avx2,fma")]] [[gnu::always_inline]] static __m256d Chain(const __m256d* a, __m256d* s, __m256d x)
    {
        for (int k = 0; k < kEven; ++k)
        {
            __m256d y = _mm256_fnmadd_pd(a[k], s[k + 1], _mm256_fmadd_pd(a[k], x, s[k]));
            s[k] = x;
            if (k == kOdd)
                y = _mm256_blend_pd(y, x, kOddLanes);
            x = y;
        }
        s[kEven] = x;
        return x;
    }

    // A short chain mostly waits for its sections' last outputs. Two frames at a time, the second
    // output is written from the output before the first, y[n+1] = (t[n+1] - a t[n]) + a^2 y[n-1]
    // with t[n] = a x[n] + x[n-1], so each section waits once per two frames.
    static constexpr bool kInPairs = kEven <= 2;

    // A stage's coefficients, their squares and one chain pair's memory, held over a loop.
    struct Registers
    {
        __m256d a[kEven];
        __m256d squares[kEven];
        __m256d s[kEven + 1];
    };

    template <size_t kEvenCount, size_t kOddCount>
    [[gnu::target("avx2,fma")]] [[gnu::always_inline]] static Registers Begin(
        const Stage& stage, const std::array<SamplePair, kEvenCount>& even, const std::array<SamplePair, kOddCount>& odd)
    {
        Registers r;
        LoadCoefficients(stage, r.a);
        for (int k = 0; k < kEven; ++k)
            r.squares[k] = _mm256_mul_pd(r.a[k], r.a[k]);
        Load(even, odd, r.s);
        return r;
    }

    [[gnu::target("avx2,fma")]] [[gnu::always_inline]] static void ChainTwo(const __m256d* a, const __m256d* squares,
                                                                            __m256d* s, __m256d& x0, __m256d& x1)
    {
        for (int k = 0; k < kEven; ++k)
        {
            const __m256d t0 = _mm256_fmadd_pd(a[k], x0, s[k]);
            const __m256d t1 = _mm256_fmadd_pd(a[k], x1, x0);
            __m256d y0 = _mm256_fnmadd_pd(a[k], s[k + 1], t0);
            __m256d y1 = _mm256_fmadd_pd(squares[k], s[k + 1], _mm256_fnmadd_pd(a[k], t0, t1));
            s[k] = x1;
            if (k == kOdd)
            {
                y0 = _mm256_blend_pd(y0, x0, kOddLanes);
                y1 = _mm256_blend_pd(y1, x1, kOddLanes);
            }
            x0 = y0;
            x1 = y1;
        }
        s[kEven] = x1;
    }

    // The two chains' outputs of two frames averaged into two frames, in one register: one
    // addend keeps each frame's half in place, the other swaps them over.
    [[gnu::target("avx2,fma")]] [[gnu::always_inline]] static void StoreAverages(__m256d x0, __m256d x1,
                                                                                 SamplePair* out)
    {
        const __m256d inPlace = _mm256_blend_pd(x0, x1, kOddLanes);
        const __m256d swapped = _mm256_permute2f128_pd(x0, x1, kHighOfFirstLowOfSecond);
        _mm256_storeu_pd(reinterpret_cast<double*>(out),
                         _mm256_mul_pd(_mm256_set1_pd(kHalf), _mm256_add_pd(inPlace, swapped)));
    }

    [[gnu::target("avx2,fma")]] static void Up(Stage& stage, const SamplePair* in, int32_t n, SamplePair* out)
    {
        Registers r = Begin(stage, stage.upEven, stage.upOdd);
        int32_t i = 0;
        if constexpr (kInPairs)
            for (; i + 1 < n; i += 2)
            {
                __m256d x0 = _mm256_broadcast_pd(reinterpret_cast<const __m128d*>(in + i));
                __m256d x1 = _mm256_broadcast_pd(reinterpret_cast<const __m128d*>(in + i + 1));
                ChainTwo(r.a, r.squares, r.s, x0, x1);
                _mm256_storeu_pd(reinterpret_cast<double*>(out + 2 * i), x0);
                _mm256_storeu_pd(reinterpret_cast<double*>(out + 2 * i + 2), x1);
            }
        for (; i < n; ++i)
        {
            const __m256d x = _mm256_broadcast_pd(reinterpret_cast<const __m128d*>(in + i));
            // Frames 2i and 2i + 1 are the even and the odd chain's outputs.
            _mm256_storeu_pd(reinterpret_cast<double*>(out + 2 * i), Chain(r.a, r.s, x));
        }
        Store(r.s, stage.upEven, stage.upOdd);
    }

    [[gnu::target("avx2,fma")]] static void Down(Stage& stage, const SamplePair* in, int32_t n, SamplePair* out)
    {
        Registers r = Begin(stage, stage.downEven, stage.downOdd);
        __m128d held = stage.heldOdd;
        const __m128d half = _mm_set1_pd(kHalf);
        int32_t i = 0;
        if constexpr (kInPairs)
            for (; i + 1 < n; i += 2)
            {
                __m256d x0 = _mm256_set_m128d(held, in[2 * i]);
                __m256d x1 = _mm256_set_m128d(in[2 * i + 1], in[2 * i + 2]);
                held = in[2 * i + 3];
                ChainTwo(r.a, r.squares, r.s, x0, x1);
                StoreAverages(x0, x1, out + i);
            }
        for (; i < n; ++i)
        {
            const __m256d y = Chain(r.a, r.s, _mm256_set_m128d(held, in[2 * i]));
            held = in[2 * i + 1];
            out[i] = _mm_mul_pd(half, _mm_add_pd(_mm256_castpd256_pd128(y), _mm256_extractf128_pd(y, 1)));
        }
        stage.heldOdd = held;
        Store(r.s, stage.downEven, stage.downOdd);
    }

    // The far stage's output goes straight into the split high-rate pair: n even.
    [[gnu::target("avx2,fma")]] static void UpSplit(Stage& stage, const SamplePair* in, int32_t n, double* left,
                                                    double* right)
    {
        static_assert(kInPairs);
        Registers r = Begin(stage, stage.upEven, stage.upOdd);
        for (int32_t i = 0; i < n; i += 2)
        {
            __m256d x0 = _mm256_broadcast_pd(reinterpret_cast<const __m128d*>(in + i));
            __m256d x1 = _mm256_broadcast_pd(reinterpret_cast<const __m128d*>(in + i + 1));
            ChainTwo(r.a, r.squares, r.s, x0, x1);
            // Frames 2i to 2i + 3, each side's four in order.
            _mm256_storeu_pd(left + 2 * i, _mm256_permute4x64_pd(_mm256_unpacklo_pd(x0, x1), kInOrder));
            _mm256_storeu_pd(right + 2 * i, _mm256_permute4x64_pd(_mm256_unpackhi_pd(x0, x1), kInOrder));
        }
        Store(r.s, stage.upEven, stage.upOdd);
    }

    // The far stage's input read straight from the split high-rate pair, values that are no
    // number as silence: 2n frames in, n even.
    [[gnu::target("avx2,fma")]] static void DownSplit(Stage& stage, const double* left, const double* right, int32_t n,
                                                      SamplePair* out)
    {
        static_assert(kInPairs);
        Registers r = Begin(stage, stage.downEven, stage.downOdd);
        // The odd frame held back sits in the upper half.
        __m256d odd = _mm256_set_m128d(stage.heldOdd, stage.heldOdd);
        for (int32_t i = 0; i < n; i += 2)
        {
            const __m256d lefts = FiniteOrZero(_mm256_loadu_pd(left + 2 * i));
            const __m256d rights = FiniteOrZero(_mm256_loadu_pd(right + 2 * i));
            const __m256d even = _mm256_unpacklo_pd(lefts, rights);
            __m256d x0 = _mm256_blend_pd(even, odd, kOddLanes);
            odd = _mm256_unpackhi_pd(lefts, rights);
            __m256d x1 = _mm256_permute2f128_pd(even, odd, kHighOfFirstLowOfSecond);
            ChainTwo(r.a, r.squares, r.s, x0, x1);
            StoreAverages(x0, x1, out + i);
        }
        stage.heldOdd = _mm256_extractf128_pd(odd, 1);
        Store(r.s, stage.downEven, stage.downOdd);
    }

    // Up and straight down again, n frames of the lower rate in and out (in and out may be one
    // buffer), n even: the outputs of each pair of frames go down in registers, the odd chain's
    // one frame late.
    [[gnu::target("avx2,fma")]] static void RoundTrip(Stage& stage, const SamplePair* in, int32_t n,
                                                      SamplePair* out)
    {
        static_assert(kInPairs);
        Registers up = Begin(stage, stage.upEven, stage.upOdd);
        Registers down = Begin(stage, stage.downEven, stage.downOdd);
        // The odd frame held back sits in the upper half.
        __m256d held = _mm256_set_m128d(stage.heldOdd, stage.heldOdd);
        for (int32_t i = 0; i < n; i += 2)
        {
            __m256d x0 = _mm256_broadcast_pd(reinterpret_cast<const __m128d*>(in + i));
            __m256d x1 = _mm256_broadcast_pd(reinterpret_cast<const __m128d*>(in + i + 1));
            ChainTwo(up.a, up.squares, up.s, x0, x1);
            __m256d y0 = _mm256_blend_pd(x0, held, kOddLanes);
            __m256d y1 = _mm256_blend_pd(x1, x0, kOddLanes);
            held = x1;
            ChainTwo(down.a, down.squares, down.s, y0, y1);
            StoreAverages(y0, y1, out + i);
        }
        stage.heldOdd = _mm256_extractf128_pd(held, 1);
        Store(up.s, stage.upEven, stage.upOdd);
        Store(down.s, stage.downEven, stage.downOdd);
    }

    // Infinities and NaNs are the values whose exponent bits are all set; comparing the bits as
    // integers keeps the floating-point units for the filters.
    [[gnu::target("avx2,fma")]] [[gnu::always_inline]] static __m256d FiniteOrZero(__m256d x)
    {
        const __m256i exponent = _mm256_set1_epi64x(kExponentBits);
        const __m256i bits = _mm256_castpd_si256(x);
        const __m256i notFinite = _mm256_cmpeq_epi64(_mm256_and_si256(bits, exponent), exponent);
        return _mm256_castsi256_pd(_mm256_andnot_si256(notFinite, bits));
    }
};

void RoundTripWide(HalfbandStage<9>& nearStage, HalfbandStage<3>& middleStage, HalfbandStage<2>& farStage,
                   SamplePair* low, int32_t count)
{
    SamplePair twice[2 * Oversampler::kPieceFrames];
    SamplePair fourTimes[4 * Oversampler::kPieceFrames];
    HalfbandStageWide<9>::Up(nearStage, low, count, twice);
    HalfbandStageWide<3>::Up(middleStage, twice, 2 * count, fourTimes);
    HalfbandStageWide<2>::RoundTrip(farStage, fourTimes, 4 * count, fourTimes);
    HalfbandStageWide<3>::Down(middleStage, fourTimes, 2 * count, twice);
    HalfbandStageWide<9>::Down(nearStage, twice, count, low);
}

void UpPieceWide(HalfbandStage<9>& nearStage, HalfbandStage<3>& middleStage, HalfbandStage<2>& farStage,
                 const SamplePair* low, int32_t count, double* left, double* right)
{
    SamplePair twice[2 * Oversampler::kPieceFrames];
    SamplePair fourTimes[4 * Oversampler::kPieceFrames];
    HalfbandStageWide<9>::Up(nearStage, low, count, twice);
    HalfbandStageWide<3>::Up(middleStage, twice, 2 * count, fourTimes);
    HalfbandStageWide<2>::UpSplit(farStage, fourTimes, 4 * count, left, right);
}

void DownPieceWide(HalfbandStage<9>& nearStage, HalfbandStage<3>& middleStage, HalfbandStage<2>& farStage,
                   const double* left, const double* right, int32_t count, SamplePair* low)
{
    SamplePair fourTimes[4 * Oversampler::kPieceFrames];
    SamplePair twice[2 * Oversampler::kPieceFrames];
    HalfbandStageWide<2>::DownSplit(farStage, left, right, 4 * count, fourTimes);
    HalfbandStageWide<3>::Down(middleStage, fourTimes, 2 * count, twice);
    HalfbandStageWide<9>::Down(nearStage, twice, count, low);
}
