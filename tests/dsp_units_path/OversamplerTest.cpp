#include "dsp/units/Oversampler.h"

#include <gtest/gtest.h>

#include <array>
#include <cmath>
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

TEST(Oversampler, ResetDesignsAFilterWithUnityGainAtZeroHertz)
{
    Oversampler o;
    o.Prepare(44100.0, kBlock);
    const double feedback = std::accumulate(o.coefficients.begin() + 1, o.coefficients.end(), 0.0);
    EXPECT_GT(o.coefficients[0], 0.0);
    EXPECT_NEAR(o.coefficients[0] / (1.0 - feedback), 1.0, 1e-9);
}

// Both filters have unity gain at 0 Hz, but the kept phase of their steady ripple stands at
// 1.1027 of the mean; the output gain brings it back to just above unity.
TEST(Oversampler, ConstantInputSettlesNearUnityThroughTheOutputGain)
{
    Oversampler o;
    o.Prepare(44100.0, kBlock);
    StereoBlock ones(kBlock, 1.0);
    for (int block = 0; block < 40; ++block)
    {
        ASSERT_TRUE(o.Upsample(ones.In(), kBlock));
        ASSERT_TRUE(o.Downsample(UpPair(o).data(), kBlock * 8));
    }
    constexpr double kSettled = 1.000273934111266;
    for (int32_t i = kBlock - 8; i < kBlock; ++i)
    {
        EXPECT_NEAR(o.down.left[i], kSettled, 1e-9);
        EXPECT_NEAR(o.down.right[i], kSettled, 1e-9);
    }
}

TEST(Oversampler, ImpulseStartsAtFactorTimesInputGain)
{
    Oversampler o;
    o.Prepare(48000.0, kBlock);
    StereoBlock impulse(kBlock);
    impulse.left[0] = 1.0;
    ASSERT_TRUE(o.Upsample(impulse.In(), kBlock));
    EXPECT_EQ(o.up.left[0], 8.0 * o.coefficients[0]);
    EXPECT_EQ(o.up.right[0], 0.0);
    // The stuffed zeros continue the filter's own response.
    EXPECT_GT(o.up.left[1], 0.0);
}

TEST(Oversampler, DownsampleKeepsEveryEighthFrameStartingWithTheFirst)
{
    struct Case
    {
        int32_t highRateFrames;
        int32_t kept;
    };
    for (const Case c : {Case{8, 1}, Case{9, 2}, Case{16, 2}, Case{17, 3}})
    {
        SCOPED_TRACE(c.highRateFrames);
        Oversampler o;
        o.Prepare(44100.0, 4);
        std::fill(o.down.left, o.down.left + o.down.capacity, -7.0);
        StereoBlock high(c.highRateFrames, 1.0);
        ASSERT_TRUE(o.Downsample(high.In(), c.highRateFrames));
        EXPECT_EQ(o.down.left[0], o.coefficients[0] * o.outputGain);
        for (int32_t i = 0; i < o.down.capacity; ++i)
            EXPECT_EQ(o.down.left[i] != -7.0, i < c.kept) << "frame " << i;
    }
}

TEST(Oversampler, FilterStepFlushesTinyAndNonFiniteResults)
{
    const Oversampler::Coefficients passThrough = {1.0, 0, 0, 0, 0, 0, 0, 0, 0};
    struct Case
    {
        double x;
        double expected;
    };
    const double inf = std::numeric_limits<double>::infinity();
    for (const Case c : {Case{1e-17, 0.0}, Case{-1e-17, 0.0}, Case{1e-16, 1e-16}, Case{0.5, 0.5},
                         Case{std::nan(""), 0.0}, Case{inf, 0.0}, Case{-inf, 0.0}})
    {
        Oversampler::FilterState state{};
        EXPECT_EQ(Oversampler::FilterStep(state, c.x, passThrough), c.expected) << c.x;
        EXPECT_EQ(state[0], c.expected);
    }
}

TEST(Oversampler, FilterStepShiftsTheHistory)
{
    const Oversampler::Coefficients passThrough = {1.0, 0, 0, 0, 0, 0, 0, 0, 0};
    Oversampler::FilterState state{};
    for (int i = 1; i <= 10; ++i)
        Oversampler::FilterStep(state, i, passThrough);
    const Oversampler::FilterState expected = {10, 9, 8, 7, 6, 5, 4, 3, 2};
    EXPECT_EQ(state, expected);
}

// The up-sampler's output rule: below 2^-54 in magnitude, infinite or NaN gives 0.
double Flushed(double y)
{
    return std::fabs(y) >= 5.551115123125783e-17 && std::isfinite(y) ? y : 0.0;
}

// A host input with everything the flush must catch: tiny values, no numbers, and channels
// that need it at different frames.
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

// The block operations keep the state of both channels side by side; every frame must still
// be what the documented step gives, channel by channel.
TEST(Oversampler, BlocksGiveExactlyWhatTheStepGivesFrameByFrame)
{
    Oversampler o;
    o.Prepare(48000.0, kBlock);
    Oversampler::FilterState up[2] = {};
    Oversampler::FilterState down[2] = {};
    for (const int32_t frames : {kBlock, 1, 17, kBlock})
    {
        SCOPED_TRACE(frames);
        StereoBlock input(frames);
        FillEdgeCases(input);
        ASSERT_TRUE(o.Upsample(input.In(), frames));
        const int32_t high = frames * 8;
        for (int c = 0; c < 2; ++c)
        {
            const std::vector<double>& in = c == 0 ? input.left : input.right;
            const double* upOut = c == 0 ? o.up.left : o.up.right;
            for (int32_t i = 0; i < high; ++i)
            {
                const double x = i % 8 == 0 ? in[i / 8] : 0.0;
                const double expected = Flushed(8.0 * Oversampler::FilterStep(up[c], x, o.coefficients));
                ASSERT_EQ(upOut[i], expected) << "channel " << c << " up frame " << i;
            }
        }
        // A stage between the two: a frame of the down-sampling is no number either.
        o.up.right[high / 2] = -std::numeric_limits<double>::infinity();
        ASSERT_TRUE(o.Downsample(UpPair(o).data(), high));
        for (int c = 0; c < 2; ++c)
        {
            const double* upOut = c == 0 ? o.up.left : o.up.right;
            const double* downOut = c == 0 ? o.down.left : o.down.right;
            for (int32_t i = 0; i < high; ++i)
            {
                const double y = Oversampler::FilterStep(down[c], upOut[i], o.coefficients);
                if (i % 8 == 0)
                {
                    ASSERT_EQ(downOut[i / 8], y * o.outputGain) << "channel " << c << " down frame " << i;
                }
            }
        }
        EXPECT_EQ(o.upLeft, up[0]);
        EXPECT_EQ(o.upRight, up[1]);
        EXPECT_EQ(o.downLeft, down[0]);
        EXPECT_EQ(o.downRight, down[1]);
    }
}

// The piecewise run must give, frame for frame, what up-sampling the block, running the stage
// on all of it and down-sampling gives, also over blocks that no piece length divides.
TEST(Oversampler, ProcessingInPiecesEqualsUpsampleStageDownsample)
{
    constexpr int32_t kPrepared = 100;
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
    for (const int32_t frames : {kPrepared, 1, 31, 32, 33, 64, 65, kPrepared})
    {
        SCOPED_TRACE(frames);
        StereoBlock input(frames);
        FillEdgeCases(input);
        ASSERT_TRUE(reference.Upsample(input.In(), frames));
        double* const up[2] = {reference.up.left, reference.up.right};
        stage(up, frames * 8);
        ASSERT_TRUE(reference.Downsample(UpPair(reference).data(), frames * 8));

        StereoBlock io = input;
        double* const signal[2] = {io.left.data(), io.right.data()};
        ASSERT_TRUE(pieces.ProcessInPieces(signal, frames, stage));
        for (int32_t i = 0; i < frames; ++i)
        {
            ASSERT_EQ(io.left[i], reference.down.left[i]) << i;
            ASSERT_EQ(io.right[i], reference.down.right[i]) << i;
        }
        EXPECT_EQ(pieces.upLeft, reference.upLeft);
        EXPECT_EQ(pieces.downRight, reference.downRight);
    }

    StereoBlock tooLong(kPrepared + 1, 0.5);
    double* const signal[2] = {tooLong.left.data(), tooLong.right.data()};
    EXPECT_FALSE(pieces.ProcessInPieces(signal, kPrepared + 1, stage));
    EXPECT_EQ(tooLong.left, std::vector<double>(kPrepared + 1, 0.5));
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

TEST(Oversampler, NonFiniteInputGivesFiniteOutputAndRecovers)
{
    Oversampler o;
    o.Prepare(44100.0, kBlock);
    StereoBlock bad(kBlock, 0.25);
    bad.left[3] = std::nan("");
    bad.right[5] = std::numeric_limits<double>::infinity();
    StereoBlock good(kBlock, 0.25);
    for (StereoBlock* block : {&bad, &good})
    {
        ASSERT_TRUE(o.Upsample(block->In(), kBlock));
        ASSERT_TRUE(o.Downsample(UpPair(o).data(), kBlock * 8));
        for (int32_t i = 0; i < kBlock; ++i)
        {
            EXPECT_TRUE(std::isfinite(o.down.left[i])) << i;
            EXPECT_TRUE(std::isfinite(o.down.right[i])) << i;
        }
    }
}

} // namespace
