#include "dsp/units/curves/SharedRandom.h"
#include "dsp/units/path/DynShaper.h"
#include "tests/support/StereoBuffer.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <limits>

namespace
{

using Wezmark::DynShaper;

void FillTables(DynShaper& shaper)
{
    for (int i = 0; i < DynShaper::kShortSteps; ++i)
        shaper.steps16[i] = -(i + 1) / 16.0;
    for (int i = 0; i < DynShaper::kLongSteps; ++i)
        shaper.steps64[i] = -(i + 1) / 64.0;
}

TEST(DynShaper, WindowCentreMovesWithTheAmount)
{
    DynShaper shaper;
    // Width 0.25 and a = 1: window 0 .. 0.25, centre 0.125 (t = 0.5).
    EXPECT_DOUBLE_EQ(shaper.Shape(0.125, 1.0), 0.125 + 0.777);
    EXPECT_DOUBLE_EQ(shaper.Shape(-0.125, 1.0), -(0.125 + 0.777));
    // a = 0.5: window 0.375 .. 0.625.
    EXPECT_DOUBLE_EQ(shaper.Shape(0.5, 0.5), 0.5 + 0.5 * 0.777);
    EXPECT_EQ(shaper.Shape(0.37, 0.5), 0.37);
    EXPECT_EQ(shaper.Shape(0.63, 0.5), 0.63);
    EXPECT_EQ(shaper.Shape(0.3, 0.0), 0.3);
    shaper.width = 0.0;
    EXPECT_EQ(shaper.Shape(0.125, 1.0), 0.125);
}

TEST(DynShaper, WaveformTableAtAQuarterAndThreeQuartersOfTheWindow)
{
    const double root = std::sqrt(0.5);
    struct Case
    {
        uint32_t waveform;
        double atQuarter;
        double atThreeQuarters;
    };
    const Case cases[] = {
        {DynShaper::kSine, std::sin(3.141592653589793 * 0.25), std::sin(3.141592653589793 * 0.75)},
        {DynShaper::kTriangle, 0.5, 0.5},
        {DynShaper::kPulse, 1.0, 0.0},
        {DynShaper::kRamp, 0.5, -0.5},
        {DynShaper::kDoubleSine, 1.0, -1.0},
        {DynShaper::kSquare, 1.0, -1.0},
        {DynShaper::kSteps16, -4 / 16.0, -12 / 16.0},
        {DynShaper::kSteps64, -16 / 64.0, -48 / 64.0},
        {9, 0.0, 0.0},
        {1000, 0.0, 0.0},
    };
    EXPECT_NEAR(cases[0].atQuarter, root, 1e-15);
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.waveform);
        DynShaper shaper;
        FillTables(shaper);
        shaper.waveform = c.waveform;
        // a = 1, width 0.25: window 0 .. 0.25.
        EXPECT_DOUBLE_EQ(shaper.Shape(0.0625, 1.0), 0.0625 + c.atQuarter * 0.777);
        EXPECT_DOUBLE_EQ(shaper.Shape(0.1875, 1.0), 0.1875 + c.atThreeQuarters * 0.777);
        shaper.invert = true;
        EXPECT_DOUBLE_EQ(shaper.Shape(0.1875, 1.0), 0.1875 - c.atThreeQuarters * 0.777);
    }
}

TEST(DynShaper, RandomWaveformStaysInItsRange)
{
    DynShaper shaper;
    shaper.waveform = DynShaper::kRandom;
    for (int i = 0; i < 200; ++i)
    {
        const double added = shaper.Shape(0.125, 1.0) - 0.125;
        EXPECT_GE(added, -0.777);
        EXPECT_LT(added, 0.777);
    }
}

TEST(DynShaper, SteppedWaveformsNeverReadTheirLastEntry)
{
    DynShaper shaper;
    FillTables(shaper);
    shaper.steps16.back() = std::numeric_limits<double>::quiet_NaN();
    shaper.steps64.back() = std::numeric_limits<double>::quiet_NaN();
    for (uint32_t waveform : {DynShaper::kSteps16, DynShaper::kSteps64})
    {
        shaper.waveform = waveform;
        for (double x = 0.0; x <= 0.25; x += 1.0 / 4096.0)
            ASSERT_TRUE(std::isfinite(shaper.Shape(x, 1.0))) << x;
        ASSERT_TRUE(std::isfinite(shaper.Shape(std::nextafter(0.25, 0.0), 1.0)));
    }
}

TEST(DynShaper, PolarityLeavesOneHalfAlone)
{
    DynShaper shaper;
    // a = 0.75: window 0.1875 .. 0.4375.
    shaper.polarity = DynShaper::kPositiveOnly;
    EXPECT_EQ(shaper.Shape(-0.3, 0.75), -0.3);
    EXPECT_NE(shaper.Shape(0.3, 0.75), 0.3);
    shaper.polarity = DynShaper::kNegativeOnly;
    EXPECT_EQ(shaper.Shape(0.3, 0.75), 0.3);
    EXPECT_NE(shaper.Shape(-0.3, 0.75), -0.3);
}

TEST(DynShaper, BoostModesLimitOnlyThePositiveAddition)
{
    DynShaper shaper;
    shaper.mode = 1;
    EXPECT_DOUBLE_EQ(shaper.Shape(0.125, 1.0), 0.125 + 1.0);
    shaper.invert = true;
    EXPECT_DOUBLE_EQ(shaper.Shape(0.125, 1.0), 0.125 - 4.0 * 0.777);
    shaper.mode = 3;
    EXPECT_DOUBLE_EQ(shaper.Shape(-0.125, 1.0), -(0.125 - 4.0 * 0.777));
}

TEST(DynShaper, StageWithAmountZeroDoesNothing)
{
    DynShaper shaper;
    shaper.mode = 3;
    shaper.smoothed = 0.5;
    StereoBuffer block(std::vector<double>{0.125, std::nan("")}, std::vector<double>{0.7, -0.2});
    shaper.Process(block.Io(), 2);
    EXPECT_EQ(block.left[0], 0.125);
    EXPECT_TRUE(std::isnan(block.left[1]));
    EXPECT_EQ(shaper.smoothed, 0.5);
}

TEST(DynShaper, StageSmoothsTheAmountAndDrivesInModesTwoAndThree)
{
    for (uint32_t mode : {0u, 2u})
    {
        SCOPED_TRACE(mode);
        DynShaper shaper;
        shaper.amount = 0.5;
        shaper.presence = 1.0;
        shaper.mode = mode;
        StereoBuffer block(std::vector<double>{0.1}, std::vector<double>{-0.1});
        shaper.Process(block.Io(), 1);
        const double s = (1.0 - 0.99) * 0.5;
        EXPECT_DOUBLE_EQ(shaper.smoothed, s);
        const double driven = mode == 2 ? 0.1 * 5.0 * s : 0.1;
        EXPECT_DOUBLE_EQ(block.left[0], shaper.Shape(driven, s));
        EXPECT_DOUBLE_EQ(block.right[0], shaper.Shape(-driven, s));
    }
}

// Switched off by its bypass or by an amount of 0, a driving shaper fades toward unity gain
// and ends on the dry signal without a jump; switched on from 0 it fades in the same way.
TEST(DynShaper, SwitchingADrivingModeFadesWithoutAJump)
{
    struct Case
    {
        const char* name;
        bool bypass;
        double amount;
    };
    for (const Case c : {Case{"bypass", true, 1.0}, Case{"amount zero", false, 0.0}})
    {
        SCOPED_TRACE(c.name);
        DynShaper shaper;
        shaper.amount = 1.0;
        shaper.smoothed = 1.0;
        shaper.presence = 1.0;
        shaper.mode = 2;
        StereoBuffer before(1, 0.3);
        shaper.Process(before.Io(), 1);
        shaper.SetBypass(c.bypass);
        shaper.amount = c.amount;
        constexpr int32_t kFrames = 600;
        StereoBuffer block(kFrames, 0.3);
        shaper.Process(block.Io(), kFrames);
        StereoBuffer after(8, 0.3);
        shaper.Process(after.Io(), 8);
        EXPECT_EQ(after.left[0], 0.3);

        double largestJump = std::max(std::fabs(block.left[0] - before.left[0]), std::fabs(after.left[0] - block.left.back()));
        for (int32_t i = 1; i < kFrames; ++i)
            largestJump = std::max(largestJump, std::fabs(block.left[i] - block.left[i - 1]));
        EXPECT_LT(largestJump, 0.05);

        // Back on: it fades in from the dry signal.
        shaper.SetBypass(false);
        shaper.amount = 1.0;
        StereoBuffer again(kFrames, 0.3);
        shaper.Process(again.Io(), kFrames);
        largestJump = std::fabs(again.left[0] - 0.3);
        for (int32_t i = 1; i < kFrames; ++i)
            largestJump = std::max(largestJump, std::fabs(again.left[i] - again.left[i - 1]));
        EXPECT_LT(largestJump, 0.05);
    }
}

// A program change may switch the shaping while the amount is on; at once, a driving mode or
// another waveform would step the output. It crossfades, then sounds as a shaper that always
// had the new setting.
TEST(DynShaper, ShapingChangeCrossfadesWithoutAJump)
{
    struct Case
    {
        const char* name;
        uint32_t mode;
        uint32_t waveform;
        bool invert;
    };
    const Case cases[] = {
        {"to a driving mode", 2, DynShaper::kSine, false},
        {"to a square waveform", 0, DynShaper::kSquare, false},
        {"inverted", 0, DynShaper::kSine, true},
    };
    constexpr int32_t kFrames = 4000;
    // Inside the window that amount 0.5 puts at 0.375 .. 0.625.
    constexpr double kInput = 0.45;
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.name);
        DynShaper shaper;
        DynShaper changedFromTheStart;
        for (DynShaper* s : {&shaper, &changedFromTheStart})
        {
            s->Prepare(44100.0, kFrames);
            s->amount = 0.5;
            s->smoothed = 0.5;
            s->presence = 1.0;
        }
        changedFromTheStart.mode = c.mode;
        changedFromTheStart.waveform = c.waveform;
        changedFromTheStart.invert = c.invert;
        StereoBuffer before(1, kInput);
        shaper.Process(before.Io(), 1);
        StereoBuffer expected(1, kInput);
        changedFromTheStart.Process(expected.Io(), 1);

        shaper.mode = c.mode;
        shaper.waveform = c.waveform;
        shaper.invert = c.invert;
        StereoBuffer block(kFrames, kInput);
        shaper.Process(block.Io(), kFrames);
        double largestJump = std::fabs(block.left[0] - before.left[0]);
        for (int32_t i = 1; i < kFrames; ++i)
            largestJump = std::max(largestJump, std::fabs(block.left[i] - block.left[i - 1]));
        // At once, the first frame would take the whole step.
        EXPECT_LT(largestJump, 0.02 * std::fabs(expected.left[0] - before.left[0]));

        StereoBuffer after(1, kInput);
        shaper.Process(after.Io(), 1);
        EXPECT_EQ(after.left[0], expected.left[0]);
    }
}

TEST(DynShaper, StageTurnsNonFiniteSamplesIntoFiniteOutput)
{
    DynShaper shaper;
    shaper.amount = 1.0;
    shaper.mode = 3;
    StereoBuffer block(std::vector<double>{std::nan(""), 0.2},
                       std::vector<double>{std::numeric_limits<double>::infinity(), -0.2});
    shaper.Process(block.Io(), 2);
    for (double x : {block.left[0], block.left[1], block.right[0], block.right[1]})
        EXPECT_TRUE(std::isfinite(x));
}

} // namespace

// The shaping as the per-sample algorithm states it, one branch at a time.
double ShapedStepByStep(const DynShaper& shaper, double x, double a)
{
    if (shaper.width == 0.0 || a == 0.0 || (x < 0.0 && shaper.polarity == DynShaper::kPositiveOnly) ||
        (x >= 0.0 && shaper.polarity == DynShaper::kNegativeOnly))
        return x;
    const double h = shaper.width / 2.0;
    const double sign = x < 0.0 ? -1.0 : 1.0;
    const double m = std::fabs(x);
    const double c = (1.0 - a) * (1.0 - 2.0 * h) + h;
    const double t = c - h < m && m < c + h ? (m - (c - h)) / shaper.width : 0.0;
    const bool open = t > 0.0 && t < 1.0;
    double w = 0.0;
    switch (shaper.waveform)
    {
    case DynShaper::kSine: w = std::sin(3.141592653589793 * t); break;
    case DynShaper::kTriangle: w = t < 0.5 ? 2.0 * t : 1.0 - 2.0 * (t - 0.5); break;
    case DynShaper::kPulse: w = t > 0.0 && t < 0.5 ? 1.0 : 0.0; break;
    case DynShaper::kRamp: w = t < 0.5 ? 2.0 * t : 2.0 * (t - 1.0); break;
    case DynShaper::kDoubleSine: w = std::sin(2.0 * 3.141592653589793 * t); break;
    case DynShaper::kSquare: w = t > 0.0 && t < 0.5 ? 1.0 : (t > 0.5 && t < 1.0 ? -1.0 : 0.0); break;
    case DynShaper::kSteps16: w = open ? shaper.steps16[std::min(static_cast<int>(15 * t), 14)] : 0.0; break;
    case DynShaper::kSteps64: w = open ? shaper.steps64[std::min(static_cast<int>(63 * t), 62)] : 0.0; break;
    default: break;
    }
    w = w * a * 0.777;
    if (shaper.invert)
        w = -w;
    if (shaper.mode & DynShaper::kBoostBit)
        return (std::min(4.0 * a * w, 1.0) + m) * sign;
    return (w + m) * sign;
}

TEST(DynShaper, BranchFreeShapingGivesThePerSampleAlgorithmsResult)
{
    DynShaper shaper;
    FillTables(shaper);
    shaper.width = 0.3;
    for (uint32_t waveform = 0; waveform <= DynShaper::kSteps64 + 2; ++waveform)
        for (uint32_t mode = 0; mode <= 3; ++mode)
            for (uint32_t polarity = 0; polarity <= 2; ++polarity)
                for (const bool invert : {false, true})
                {
                    if (waveform == DynShaper::kRandom)
                        continue;
                    shaper.waveform = waveform;
                    shaper.mode = mode;
                    shaper.polarity = polarity;
                    shaper.invert = invert;
                    for (const double a : {0.0, 0.2, 0.75, 1.0})
                        for (int k = -220; k <= 220; ++k)
                        {
                            const double x = k / 200.0;
                            EXPECT_NEAR(shaper.Shape(x, a), ShapedStepByStep(shaper, x, a), 1e-12)
                                << "waveform " << waveform << " mode " << mode << " polarity " << polarity
                                << " invert " << invert << " a " << a << " x " << x;
                        }
                }
}

TEST(DynShaper, RandomWaveformDrawsOnlyForSamplesItShapes)
{
    struct Case
    {
        uint32_t polarity;
        int draws;
    };
    // Window 0..0.25 at a = 1: 0.1 and -0.2 fall inside; with positive samples only shaped,
    // -0.2 passes unchanged and draws nothing.
    for (const Case c : {Case{DynShaper::kBothHalves, 2}, Case{DynShaper::kPositiveOnly, 1}})
    {
        DynShaper shaper;
        shaper.waveform = DynShaper::kRandom;
        shaper.polarity = c.polarity;
        shaper.amount = 1.0;
        shaper.smoothed = 1.0;
        shaper.presence = 1.0;
        shaper.keep = 0.0;
        shaper.take = 1.0;
        StereoBuffer block(std::vector<double>{0.1, 0.5}, std::vector<double>{-0.6, -0.2});
        SharedRandom::Seed(99);
        shaper.Process(block.Io(), 2);
        const int32_t afterBlock = SharedRandom::Next();
        SharedRandom::Seed(99);
        for (int k = 0; k < c.draws; ++k)
            SharedRandom::Next();
        EXPECT_EQ(afterBlock, SharedRandom::Next()) << "polarity " << c.polarity;
        EXPECT_EQ(block.left[1], 0.5);
        EXPECT_EQ(block.right[0], -0.6);
    }
}
