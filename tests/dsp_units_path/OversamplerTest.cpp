#include "dsp/units/path/HalfbandDesign.h"
#include "dsp/units/path/Oversampler.h"
#include "tests/support/Decibels.h"
#include "tests/support/SimdLevels.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstring>
#include <limits>
#include <numeric>
#include <vector>

namespace
{

constexpr int32_t kBlock = 64;

struct StereoBlock
{
    explicit StereoBlock(int32_t frames, double value = 0.0) : left(frames, value), right(frames, value) {}
    const double* const* In() { return in; }
    std::vector<double> left;
    std::vector<double> right;
    const double* in[2] = {left.data(), right.data()};
};

std::array<const double*, 2> UpPair(const Oversampler& o)
{
    return {o.up.left, o.up.right};
}

constexpr double kPi = 3.141592653589793;

// Amplitude of the component at `cycles` per frame in frames [from, from + count) of `x`.
double Amplitude(const double* x, int32_t from, int32_t count, double cycles)
{
    double re = 0.0;
    double im = 0.0;
    double weights = 0.0;
    for (int32_t i = 0; i < count; ++i)
    {
        const double w = 0.5 - 0.5 * std::cos(2.0 * kPi * i / count);
        re += w * x[from + i] * std::cos(2.0 * kPi * cycles * (from + i));
        im += w * x[from + i] * std::sin(2.0 * kPi * cycles * (from + i));
        weights += w;
    }
    return 2.0 * std::hypot(re, im) / weights;
}

TEST(Oversampler, HalfbandCoefficientsAreStableAndAscending)
{
    for (const double transition : {0.0175, 0.25, 0.375})
    {
        std::array<double, 9> a{};
        DesignHalfband(transition, a);
        for (size_t k = 0; k < a.size(); ++k)
        {
            EXPECT_GT(a[k], 0.0) << transition;
            EXPECT_LT(a[k], 1.0) << transition;
            if (k > 0)
            {
                EXPECT_GT(a[k], a[k - 1]) << transition;
            }
        }
    }
}

// A cosine of `cycles` per frame on both channels after a round trip with nothing between;
// the two channels must come out alike.
std::vector<double> RoundTripOfCosine(double cycles, int32_t frames)
{
    Oversampler o;
    o.Prepare(48000.0, frames);
    StereoBlock io(frames);
    for (int32_t i = 0; i < frames; ++i)
        io.left[i] = io.right[i] = std::cos(2.0 * kPi * cycles * i);
    double* const signal[2] = {io.left.data(), io.right.data()};
    EXPECT_TRUE(o.RoundTrip(signal, frames));
    EXPECT_EQ(io.left, io.right);
    return io.left;
}

// The host band passes at unity gain, up to 46 % of the host rate within a hundredth of a
// decibel.
TEST(Oversampler, RoundTripKeepsTheHostBandAtUnityGain)
{
    constexpr int32_t kFrames = 4096;
    for (const double cycles : {0.0, 0.01, 0.2, 0.375, 0.46})
    {
        SCOPED_TRACE(cycles);
        const std::vector<double> out = RoundTripOfCosine(cycles, kFrames);
        const double gain = cycles == 0.0 ? out[kFrames - 1] : Amplitude(out.data(), 1024, 3072, cycles);
        EXPECT_NEAR(Decibels(gain), 0.0, 0.01);
    }
}

// What lies above the host band at the high rate must not fold back into it: a high-rate tone
// in each stage's stop band comes out of the down-sampling at least 88 dB down, and the images
// that up-sampling leaves of a host-rate tone are as low.
TEST(Oversampler, FoldedAndImagedComponentsStayBelowMinus88Decibels)
{
    constexpr int32_t kFrames = 2048;
    constexpr double kLimit = -88.0;
    for (const double hostCycles : {0.52, 0.6, 0.9, 1.6, 2.3, 3.55, 3.95})
    {
        SCOPED_TRACE(hostCycles);
        Oversampler o;
        o.Prepare(48000.0, kFrames);
        StereoBlock high(kFrames * 8);
        for (int32_t i = 0; i < kFrames * 8; ++i)
            high.left[i] = high.right[i] = std::cos(2.0 * kPi * hostCycles / 8.0 * i);
        ASSERT_TRUE(o.Downsample(high.In(), kFrames * 8));
        const double folded = 1.0 - std::fmod(hostCycles, 1.0);
        const double aliasCycles = folded > 0.5 ? 1.0 - folded : folded;
        EXPECT_LT(Decibels(Amplitude(o.down.left, 512, 1536, aliasCycles)), kLimit);
    }
    for (const double cycles : {0.05, 0.3, 0.47})
    {
        SCOPED_TRACE(cycles);
        Oversampler o;
        o.Prepare(48000.0, kFrames);
        StereoBlock low(kFrames);
        for (int32_t i = 0; i < kFrames; ++i)
            low.left[i] = low.right[i] = std::cos(2.0 * kPi * cycles * i);
        ASSERT_TRUE(o.Upsample(low.In(), kFrames));
        for (const double image : {1.0 - cycles, 1.0 + cycles, 2.0 - cycles, 4.0 - cycles})
            EXPECT_LT(Decibels(Amplitude(o.up.left, 4096, 8192, image / 8.0)), kLimit) << image;
    }
}

// The delay that the plug-in reports: a low tone comes out of a round trip this much later.
TEST(Oversampler, LatencyIsTheRoundTripDelayAtLowFrequencies)
{
    constexpr int32_t kFrames = 8192;
    // Whole periods in the measured frames, so that the phase comes out exactly.
    constexpr double kCycles = 1.0 / 256.0;
    const std::vector<double> out = RoundTripOfCosine(kCycles, kFrames);
    // cos(w i - w d) against cos and sin of w i gives the phase w d.
    double re = 0.0;
    double im = 0.0;
    for (int32_t i = kFrames / 2; i < kFrames; ++i)
    {
        re += out[i] * std::cos(2.0 * kPi * kCycles * i);
        im += out[i] * std::sin(2.0 * kPi * kCycles * i);
    }
    const double delay = std::atan2(im, re) / (2.0 * kPi * kCycles);
    Oversampler o;
    EXPECT_NEAR(delay, o.Latency(), 0.01);
    EXPECT_GT(o.Latency(), 4.0);
    EXPECT_LT(o.Latency(), 6.0);
}

TEST(Oversampler, DownsampleTakesWholeHostFramesOnly)
{
    const struct
    {
        int32_t highRateFrames;
        bool accepted;
    } cases[] = {{8, true}, {16, true}, {9, false}, {7, false}, {0, true}};
    for (const auto& c : cases)
    {
        Oversampler o;
        o.Prepare(44100.0, kBlock);
        StereoBlock high(16, 1.0);
        EXPECT_EQ(o.Downsample(high.In(), c.highRateFrames), c.accepted) << c.highRateFrames;
    }
}

// A host input with values that are no numbers among ordinary ones.
void FillEdgeCases(StereoBlock& block)
{
    const auto frames = static_cast<int32_t>(block.left.size());
    for (int32_t i = 0; i < frames; ++i)
    {
        block.left[i] = 0.9 * std::sin(0.07 * i + frames) + (i * 7919 % 200) / 1000.0 - 0.1;
        block.right[i] = i % 37 < 20 ? 0.5 * std::cos(0.011 * i) : 0.0;
    }
    const struct
    {
        int32_t frame;
        std::vector<double>& channel;
        double value;
    } edges[] = {
        {3, block.left, std::nan("")},
        {9, block.right, std::numeric_limits<double>::infinity()},
        {20, block.left, 1e-300},
    };
    for (const auto& edge : edges)
        if (edge.frame < frames)
            edge.channel[edge.frame] = edge.value;
}

// The piecewise run must give, frame for frame, what up-sampling the block, running the stage
// on all of it and down-sampling gives, also over blocks that no piece length divides.
TEST(Oversampler, ProcessingInPiecesEqualsUpsampleStageDownsample)
{
    constexpr int32_t kPiece = Oversampler::kPieceFrames;
    constexpr int32_t kPrepared = 2 * kPiece + 44;
    const auto stage = [](double* const io[2], int32_t frames) {
        for (int32_t i = 0; i < frames; ++i)
        {
            io[0][i] = std::tanh(3.0 * io[0][i]);
            io[1][i] = io[1][i] * io[1][i] - 0.25;
        }
    };
    Oversampler reference;
    Oversampler pieces;
    reference.Prepare(44100.0, kPrepared);
    pieces.Prepare(44100.0, kPrepared);
    for (const int32_t frames : {kPrepared, 1, kPiece - 1, kPiece, kPiece + 1, 2 * kPiece, 2 * kPiece + 1, kPrepared})
    {
        SCOPED_TRACE(frames);
        StereoBlock input(frames);
        for (int32_t i = 0; i < frames; ++i)
        {
            input.left[i] = 0.9 * std::sin(0.07 * i + frames);
            input.right[i] = i % 37 < 20 ? 0.5 * std::cos(0.011 * i) : 0.0;
        }
        ASSERT_TRUE(reference.Upsample(input.In(), frames));
        double* const up[2] = {reference.up.left, reference.up.right};
        stage(up, frames * 8);
        ASSERT_TRUE(reference.Downsample(UpPair(reference).data(), frames * 8));

        StereoBlock io = input;
        double* const signal[2] = {io.left.data(), io.right.data()};
        ASSERT_TRUE(pieces.Process(signal, frames, stage));
        for (int32_t i = 0; i < frames; ++i)
        {
            ASSERT_EQ(io.left[i], reference.down.left[i]) << i;
            ASSERT_EQ(io.right[i], reference.down.right[i]) << i;
        }
    }

    StereoBlock tooLong(kPrepared + 1, 0.5);
    double* const signal[2] = {tooLong.left.data(), tooLong.right.data()};
    EXPECT_FALSE(pieces.Process(signal, kPrepared + 1, stage));
    EXPECT_EQ(tooLong.left, std::vector<double>(kPrepared + 1, 0.5));
}

// The stages that run oversampled are sized by LongestPiece: no piece may be longer, and a
// block of the prepared size reaches it.
TEST(Oversampler, PiecesAreNeverLongerThanTheLongestPiece)
{
    for (const int32_t prepared : {1, 100, Oversampler::kPieceFrames, Oversampler::kPieceFrames + 1, 512, 16384})
    {
        SCOPED_TRACE(prepared);
        Oversampler oversampler;
        oversampler.Prepare(44100.0, prepared);
        int32_t longest = 0;
        StereoBlock block(prepared, 0.25);
        double* const signal[2] = {block.left.data(), block.right.data()};
        ASSERT_TRUE(oversampler.Process(signal, prepared, [&](double* const*, int32_t frames) {
            longest = std::max(longest, frames);
        }));
        EXPECT_EQ(longest, Oversampler::LongestPiece(prepared));
    }
}

// With nothing between the two ways, a round trip gives exactly what up-sampling and
// down-sampling give, block after block, with values that are no number among the input.
TEST(Oversampler, RoundTripEqualsUpsampleThenDownsample)
{
    // More than one piece, and a last one that is cut short.
    constexpr int32_t kFrames = 2 * Oversampler::kPieceFrames + 33;
    Oversampler reference;
    Oversampler trip;
    reference.Prepare(44100.0, kFrames);
    trip.Prepare(44100.0, kFrames);
    for (const int32_t frames : {kFrames, 33, 1, kFrames})
    {
        SCOPED_TRACE(frames);
        StereoBlock input(frames);
        FillEdgeCases(input);
        ASSERT_TRUE(reference.Upsample(input.In(), frames));
        ASSERT_TRUE(reference.Downsample(UpPair(reference).data(), frames * 8));
        double* const signal[2] = {input.left.data(), input.right.data()};
        ASSERT_TRUE(trip.RoundTrip(signal, frames));
        for (int32_t i = 0; i < frames; ++i)
        {
            ASSERT_EQ(input.left[i], reference.down.left[i]) << i;
            ASSERT_EQ(input.right[i], reference.down.right[i]) << i;
        }
    }
    StereoBlock tooLong(kFrames + 1, 0.5);
    double* const signal[2] = {tooLong.left.data(), tooLong.right.data()};
    EXPECT_FALSE(trip.RoundTrip(signal, kFrames + 1));
    EXPECT_EQ(tooLong.left, std::vector<double>(kFrames + 1, 0.5));
}

TEST(Oversampler, BlocksLargerThanThePreparedSizeWriteNothing)
{
    Oversampler o;
    o.Prepare(44100.0, 16);
    std::fill(o.up.left, o.up.left + o.up.capacity, -7.0);
    std::fill(o.down.left, o.down.left + o.down.capacity, -7.0);
    StereoBlock big(17 * 8, 1.0);
    EXPECT_FALSE(o.Upsample(big.In(), 17));
    EXPECT_FALSE(o.Downsample(big.In(), 17 * 8));
    EXPECT_EQ(o.up.left[0], -7.0);
    EXPECT_EQ(o.down.left[0], -7.0);
    EXPECT_TRUE(o.Upsample(big.In(), 0));
}

// A value that is no number would stay in the filters' memory and silence the path for good;
// it enters as silence, from the host side and from the stage's side alike.
TEST(Oversampler, NonFiniteInputEntersAsSilence)
{
    Oversampler o;
    o.Prepare(44100.0, kBlock);
    StereoBlock bad(kBlock);
    FillEdgeCases(bad);
    StereoBlock good(kBlock, 0.25);
    for (StereoBlock* block : {&bad, &good})
    {
        ASSERT_TRUE(o.Upsample(block->In(), kBlock));
        o.up.right[100] = std::numeric_limits<double>::infinity();
        ASSERT_TRUE(o.Downsample(UpPair(o).data(), kBlock * 8));
        for (int32_t i = 0; i < kBlock; ++i)
        {
            EXPECT_TRUE(std::isfinite(o.down.left[i])) << i;
            EXPECT_TRUE(std::isfinite(o.down.right[i])) << i;
        }
    }
}

// A high-rate value that is no number goes down as silence would, in each channel and with
// every level of loops; a number is never mistaken for one.
TEST(Oversampler, HighRateValuesThatAreNoNumberGoDownAsSilence)
{
    constexpr double kInfinity = std::numeric_limits<double>::infinity();
    constexpr double kQuietNan = std::numeric_limits<double>::quiet_NaN();
    struct Case
    {
        double value;
        bool asSilence;
    };
    const Case cases[] = {
        {kInfinity, true},
        {-kInfinity, true},
        {kQuietNan, true},
        {-kQuietNan, true},
        {std::numeric_limits<double>::max(), false},
        {1e-300, false},
        {-0.75, false},
    };
    constexpr int32_t kAt = 77;
    const auto downsampled = [](double value, int channel) {
        Oversampler o;
        o.Prepare(44100.0, kBlock);
        // Silence around it, so that even the tiniest number leaves a trace.
        StereoBlock input(kBlock);
        EXPECT_TRUE(o.Upsample(input.In(), kBlock));
        (channel == 0 ? o.up.left : o.up.right)[kAt] = value;
        EXPECT_TRUE(o.Downsample(UpPair(o).data(), kBlock * 8));
        std::vector<double> out(o.down.left, o.down.left + kBlock);
        out.insert(out.end(), o.down.right, o.down.right + kBlock);
        return out;
    };
    for (const SimdLevel level : SimdLevelsHere())
    {
        const SimdLimit limit(level);
        for (int channel = 0; channel < 2; ++channel)
        {
            const std::vector<double> silence = downsampled(0.0, channel);
            for (const Case& c : cases)
            {
                SCOPED_TRACE(testing::Message() << "level " << static_cast<int>(level) << ", channel " << channel
                                                << ", value " << c.value);
                const std::vector<double> out = downsampled(c.value, channel);
                const bool same = std::memcmp(out.data(), silence.data(), sizeof(double) * out.size()) == 0;
                EXPECT_EQ(same, c.asSilence);
            }
        }
    }
}

} // namespace
