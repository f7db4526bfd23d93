#include "dsp/units/filters/OutputLimiter.h"
#include "dsp/units/filters/SoftKneeCurve.h"
#include "dsp/units/path/InputProcessor.h"
#include "tests/support/StereoBuffer.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

namespace
{

using Wezmark::InputProcessor;

TEST(InputProcessor, ChannelModesRouteTheChannels)
{
    struct Case
    {
        uint32_t mode;
        double left;
        double right;
    };
    // Input L = 0.5, R = -0.25.
    for (const Case c : {Case{0, 0.5, -0.25}, Case{1, -0.25, 0.5}, Case{2, 0.125, 0.125}, Case{3, 0.5, 0.5},
                         Case{4, -0.25, -0.25}, Case{5, 0.5, -0.25}, Case{0xFFFFFFFFu, 0.5, -0.25}})
    {
        InputProcessor stage;
        stage.gainState = 1.0;
        stage.gainStep = 0.0;
        stage.gainPole = 1.0;
        stage.channelMode = c.mode;
        StereoBuffer block(std::vector<double>(3, 0.5), std::vector<double>(3, -0.25));
        stage.BeginBlock();
        stage.Process(block.Io(), 3);
        for (int i = 0; i < 3; ++i)
        {
            EXPECT_EQ(block.left[i], c.left) << c.mode;
            EXPECT_EQ(block.right[i], c.right) << c.mode;
        }
    }
}

TEST(InputProcessor, MonoMixOfOppositeSamplesIsSilence)
{
    InputProcessor stage;
    stage.gainState = 1.0;
    stage.channelMode = InputProcessor::kMonoMix;
    StereoBuffer block(std::vector<double>{1.0}, std::vector<double>{-1.0});
    stage.BeginBlock();
    stage.Process(block.Io(), 1);
    EXPECT_EQ(block.left[0], 0.0);
    EXPECT_EQ(block.right[0], 0.0);
}

TEST(InputProcessor, FreshStageFadesTheGainInFromSilence)
{
    InputProcessor stage;
    constexpr int32_t kFrames = 300;
    StereoBuffer block(kFrames, 1.0);
    stage.BeginBlock();
    stage.Process(block.Io(), kFrames);
    EXPECT_EQ(block.left[0], 0.010000000000000009);
    for (int32_t k = 1; k <= kFrames; ++k)
        ASSERT_NEAR(block.right[k - 1], 1.0 - std::pow(0.99, k), 1e-12) << k;
}

TEST(InputProcessor, OffsetGlidesToItsTargetAndFreezesAtTheMiddle)
{
    struct Case
    {
        double setting;
        double target;
    };
    for (const Case c : {Case{1.0, 1.0}, Case{0.0, -1.0}, Case{0.6, 0.19999999999999996}, Case{0.25, -0.5}})
    {
        InputProcessor stage;
        stage.gainState = 1.0;
        stage.offsetSetting = c.setting;
        StereoBuffer block(2000, 0.0);
        stage.BeginBlock();
        stage.Process(block.Io(), 2000);
        EXPECT_DOUBLE_EQ(block.left[0], c.target * (1.0 - 0.99)) << c.setting;
        EXPECT_NEAR(block.right.back(), c.target, 1e-6) << c.setting;
    }

    // Back at the middle, the offset glides out to exactly 0 instead of vanishing at once.
    InputProcessor stage;
    stage.gainState = 1.0;
    stage.offsetSetting = 1.0;
    StereoBuffer first(10, 0.0);
    stage.BeginBlock();
    stage.Process(first.Io(), 10);
    const double before = stage.offsetState;
    stage.offsetSetting = 0.5;
    StereoBuffer middle(10000, 0.0);
    stage.BeginBlock();
    stage.Process(middle.Io(), 10000);
    EXPECT_DOUBLE_EQ(middle.left[0], 0.99 * before);
    EXPECT_EQ(stage.offsetState, 0.0);
    EXPECT_EQ(middle.left.back(), 0.0);
}

TEST(InputProcessor, SaturatorRunsLastOnTheBlock)
{
    InputProcessor stage;
    stage.gainState = 1.0;
    stage.saturator.amount = 1.0;
    StereoBuffer block(4, 0.5);
    stage.BeginBlock();
    stage.Process(block.Io(), 4);
    EXPECT_NE(block.left[0], 0.5);
    EXPECT_GT(stage.saturator.amountState, 0.0);
}

// Oversampled, the stage runs its block in pieces: gain, offset and saturator glides must
// come out as one call on the block gives them.
TEST(InputProcessor, PiecesGiveWhatTheWholeBlockGives)
{
    constexpr int32_t kFrames = 300;
    InputProcessor whole;
    InputProcessor pieces;
    for (InputProcessor* stage : {&whole, &pieces})
    {
        stage->Prepare(44100.0, kFrames);
        stage->gainTarget = 1.5;
        stage->offsetSetting = 0.7;
        stage->saturator.amount = 0.4;
        stage->channelMode = InputProcessor::kMonoMix;
    }
    StereoBuffer expected(kFrames);
    for (int32_t i = 0; i < kFrames; ++i)
    {
        expected.left[i] = std::sin(0.05 * i);
        expected.right[i] = 0.5 * std::cos(0.03 * i);
    }
    StereoBuffer block = expected;
    whole.BeginBlock();
    whole.Process(expected.Io(), kFrames);
    pieces.BeginBlock();
    for (int32_t from = 0; from < kFrames; from += 64)
    {
        double* const io[2] = {block.left.data() + from, block.right.data() + from};
        pieces.Process(io, std::min(64, kFrames - from));
    }
    EXPECT_EQ(block.left, expected.left);
    EXPECT_EQ(block.right, expected.right);
}

// A stage that passes its block unchanged is skipped by the block routine, so the answer must
// hold: every setting that touches a sample makes it false.
TEST(InputProcessor, PassesUnchangedOnlyWhereNoSettingTouchesASample)
{
    struct Case
    {
        const char* name;
        void (*change)(InputProcessor&);
        bool passes;
    };
    const Case cases[] = {
        {"settled on unity", [](InputProcessor&) {}, true},
        {"gain below unity", [](InputProcessor& s) { s.gainTarget = 0.5; }, false},
        {"gain still fading in", [](InputProcessor& s) { s.gainState = 0.5; }, false},
        {"mono mix", [](InputProcessor& s) { s.channelMode = InputProcessor::kMonoMix; }, false},
        {"inverse stereo", [](InputProcessor& s) { s.channelMode = InputProcessor::kInverseStereo; }, false},
        {"an offset", [](InputProcessor& s) { s.offsetSetting = 0.6; }, false},
        {"saturation", [](InputProcessor& s) { s.saturator.amount = 0.3; }, false},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.name);
        InputProcessor stage;
        StereoBuffer settle(8192);
        stage.BeginBlock();
        stage.Process(settle.Io(), 8192);
        c.change(stage);
        EXPECT_EQ(stage.PassesUnchanged(), c.passes);
        if (!c.passes)
            continue;
        StereoBuffer block(std::vector<double>{0.5, -0.75, 0.25}, std::vector<double>{-0.125, 1.0, 0.0});
        const StereoBuffer before = block;
        stage.BeginBlock();
        stage.Process(block.Io(), 3);
        for (int i = 0; i < 3; ++i)
        {
            EXPECT_NEAR(block.left[i], before.left[i], 1e-12);
            EXPECT_NEAR(block.right[i], before.right[i], 1e-12);
        }
    }
}

TEST(SoftKneeCurve, PassesBelowTheKneeBendsInsideAndCompressesAbove)
{
    OutputLimiter limiter;
    limiter.threshold = 0.5;
    limiter.kneeWidth = 0.02;
    limiter.ratio = 1000.0;
    limiter.kneeStart = 0.49;
    limiter.kneeEnd = 0.51;
    struct Case
    {
        double x;
        double y;
    };
    const double d = 0.49 - 0.5 + 0.01;
    for (const Case c : {Case{1.0, 0.5005}, Case{-1.0, -0.5005}, Case{0.3, 0.3}, Case{-0.3, -0.3},
                         Case{0.49, (1.0 / 1000.0 - 1.0) * d * d / 0.04 + 0.49}, Case{0.0, 0.0}})
        EXPECT_NEAR(SoftKneeCurve(limiter, c.x), c.y, 1e-15) << c.x;
    EXPECT_FALSE(std::signbit(SoftKneeCurve(limiter, -0.0)));
}

} // namespace
