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

    [[gnu::target("avx2,fma")]] static void Up(Stage& stage, const SamplePair* in, int32_t n, SamplePair* out)
    {
        __m256d a[kEven];
        __m256d s[kEven + 1];
        LoadCoefficients(stage, a);
        Load(stage.upEven, stage.upOdd, s);
        for (int32_t i = 0; i < n; ++i)
        {
            const __m256d x = _mm256_broadcast_pd(reinterpret_cast<const __m128d*>(in + i));
            // Frames 2i and 2i + 1 are the even and the odd chain's outputs.
            _mm256_storeu_pd(reinterpret_cast<double*>(out + 2 * i), Chain(a, s, x));
        }
        Store(s, stage.upEven, stage.upOdd);
    }

    [[gnu::target("avx2,fma")]] static void Down(Stage& stage, const SamplePair* in, int32_t n, SamplePair* out)
    {
        __m256d a[kEven];
        __m256d s[kEven + 1];
        LoadCoefficients(stage, a);
        Load(stage.downEven, stage.downOdd, s);
        __m128d held = stage.heldOdd;
        const __m128d half = _mm_set1_pd(kHalf);
        for (int32_t i = 0; i < n; ++i)
        {
            const __m256d y = Chain(a, s, _mm256_set_m128d(held, in[2 * i]));
            held = in[2 * i + 1];
            out[i] = _mm_mul_pd(half, _mm_add_pd(_mm256_castpd256_pd128(y), _mm256_extractf128_pd(y, 1)));
        }
        stage.heldOdd = held;
        Store(s, stage.downEven, stage.downOdd);
    }
};

void UpThroughStagesWide(HalfbandStage<9>& nearStage, HalfbandStage<3>& middleStage, HalfbandStage<2>& farStage,
                         const SamplePair* low, int32_t count, SamplePair* eightTimes)
{
    SamplePair twice[2 * Oversampler::kPieceFrames];
    SamplePair fourTimes[4 * Oversampler::kPieceFrames];
    HalfbandStageWide<9>::Up(nearStage, low, count, twice);
    HalfbandStageWide<3>::Up(middleStage, twice, 2 * count, fourTimes);
    HalfbandStageWide<2>::Up(farStage, fourTimes, 4 * count, eightTimes);
}

void DownThroughStagesWide(HalfbandStage<9>& nearStage, HalfbandStage<3>& middleStage, HalfbandStage<2>& farStage,
                           const SamplePair* eightTimes, int32_t count, SamplePair* low)
{
    SamplePair fourTimes[4 * Oversampler::kPieceFrames];
    SamplePair twice[2 * Oversampler::kPieceFrames];
    HalfbandStageWide<2>::Down(farStage, eightTimes, 4 * count, fourTimes);
    HalfbandStageWide<3>::Down(middleStage, fourTimes, 2 * count, twice);
    HalfbandStageWide<9>::Down(nearStage, twice, count, low);
}
