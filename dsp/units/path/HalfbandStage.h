#pragma once

#include "dsp/SamplePair.h"
#include "dsp/units/path/HalfbandDesign.h"

#include <array>
#include <cmath>
#include <cstdint>

template <int kSections>
struct HalfbandStageWide;

// One factor-two step of the oversampler: an elliptic half-band low-pass in polyphase form,
// two chains of first-order all-pass sections that both run at the lower rate. Up-sampling
// gives each low-rate frame two high-rate frames (the outputs of the two chains), down-sampling
// averages the two chains' outputs of each pair of high-rate frames. Left and right run side
// by side in one SamplePair.
template <int kSections>
class HalfbandStage
{
public:
    static constexpr int kEvenSections = (kSections + 1) / 2;
    static constexpr int kOddSections = kSections / 2;

    void Design(double transition)
    {
        std::array<double, kSections> all{};
        DesignHalfband(transition, all);
        for (int k = 0; k < kSections; ++k)
            (k % 2 == 0 ? evenCoefficients[k / 2] : oddCoefficients[k / 2]) = all[k];
        Clear();
    }

    void Clear()
    {
        upEven.fill(SamplePair{});
        upOdd.fill(SamplePair{});
        downEven.fill(SamplePair{});
        downOdd.fill(SamplePair{});
        heldOdd = SamplePair{};
    }

    // n low-rate frames in, 2n high-rate frames out.
    void Up(const SamplePair* in, int32_t n, SamplePair* out)
    {
        for (int32_t i = 0; i < n; ++i)
        {
            out[2 * i] = Chain(upEven, evenCoefficients, in[i]);
            out[2 * i + 1] = Chain(upOdd, oddCoefficients, in[i]);
        }
    }

    // 2n high-rate frames in, n low-rate frames out. The odd chain sees each odd frame one
    // low-rate frame late: that is the z^-1 of the half-band's second branch.
    void Down(const SamplePair* in, int32_t n, SamplePair* out)
    {
        for (int32_t i = 0; i < n; ++i)
        {
            const SamplePair even = Chain(downEven, evenCoefficients, in[2 * i]);
            const SamplePair odd = Chain(downOdd, oddCoefficients, heldOdd);
            heldOdd = in[2 * i + 1];
            out[i] = 0.5 * (even + odd);
        }
    }

    // Delay of one filter at 0 Hz, in frames of the higher rate: the mean of the two branches,
    // each chain of first-order sections in z^-2 delaying by 2 (1 - a) / (1 + a) per section and
    // the odd branch by one frame more.
    double DelayAtZeroHertz() const
    {
        double even = 0.0;
        for (const double a : evenCoefficients)
            even += 2.0 * (1.0 - a) / (1.0 + a);
        double odd = 1.0;
        for (const double a : oddCoefficients)
            odd += 2.0 * (1.0 - a) / (1.0 + a);
        return 0.5 * (even + odd);
    }

    // A stage whose sums overflowed would keep the result for good; it starts afresh.
    void ClearIfNotFinite()
    {
        SamplePair sum = heldOdd * 0.0;
        for (const auto* chain : {&upEven, &downEven})
            for (const SamplePair& s : *chain)
                sum += s * 0.0;
        for (const auto* chain : {&upOdd, &downOdd})
            for (const SamplePair& s : *chain)
                sum += s * 0.0;
        if (!std::isfinite(sum[0]) || !std::isfinite(sum[1]))
            Clear();
    }

private:
    // The AVX2 loops work on the same memories, so a stage can change loops between blocks.
    friend struct HalfbandStageWide<kSections>;

    // s[0] holds the chain's last input, s[k + 1] the last output of section k.
    template <size_t kCount>
    using ChainState = std::array<SamplePair, kCount + 1>;

    template <size_t kCount>
    [[gnu::always_inline]] static SamplePair Chain(ChainState<kCount>& s, const std::array<double, kCount>& a,
                                                   SamplePair x)
    {
        for (size_t k = 0; k < kCount; ++k)
        {
            // Written so that only one multiply and one subtraction wait for the last output.
            const SamplePair y = (a[k] * x + s[k]) - a[k] * s[k + 1];
            s[k] = x;
            x = y;
        }
        s[kCount] = x;
        return x;
    }

    std::array<double, kEvenSections> evenCoefficients{};
    std::array<double, kOddSections> oddCoefficients{};
    ChainState<kEvenSections> upEven{};
    ChainState<kOddSections> upOdd{};
    ChainState<kEvenSections> downEven{};
    ChainState<kOddSections> downOdd{};
    SamplePair heldOdd{};
};
