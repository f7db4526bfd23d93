#include "dsp/units/curves/BuiltinCurves.h"
#include "dsp/units/path/Saturator.h"
#include "tests/support/StereoBuffer.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <limits>
#include <memory>
#include <utility>

namespace
{

using Wezmark::Saturator;

const Wezmark::BuiltinCurves& Builtins()
{
    return *Wezmark::BuiltinCurves::Shared();
}

constexpr int32_t kGlideFrames = 4096;

// A 100 Hz sine at 48 kHz, -6 dBFS, from frame `from` on; frame 0 sits at its peak.
StereoBuffer GlideSine(int32_t from)
{
    StereoBuffer block(kGlideFrames);
    for (int32_t i = 0; i < kGlideFrames; ++i)
        block.left[i] = block.right[i] = 0.5 * std::sin(6.283185307179586 * (from + i + 120) / 480.0);
    return block;
}

double LargestStep(const std::vector<double>& samples)
{
    double largest = 0.0;
    for (size_t i = 1; i < samples.size(); ++i)
        largest = std::max(largest, std::fabs(samples[i] - samples[i - 1]));
    return largest;
}

double CurveAt(const Saturator& saturator, double x)
{
    return saturator.curve.Lookup(x, saturator.curve.Points());
}

TEST(Saturator, AmountZeroWithNothingToGlideOutPassesTheBlockBitForBit)
{
    Saturator saturator(Saturator::kSoftSaturation);
    saturator.LoadCurve(Builtins());
    StereoBuffer block(std::vector<double>{0.123, std::nan("")}, std::vector<double>{-0.77, 5.0});
    saturator.BeginBlock();
    saturator.Process(block.Io(), 2);
    EXPECT_EQ(block.left[0], 0.123);
    EXPECT_TRUE(std::isnan(block.left[1]));
    EXPECT_EQ(block.right[1], 5.0);
    EXPECT_EQ(saturator.amountState, 0.0);
    EXPECT_EQ(saturator.driveState, 0.0);
}

// Switched off mid-stream it glides out instead of jumping to the dry signal (no step larger
// than those of the saturated or the dry signal), then passes blocks bit for bit.
TEST(Saturator, AmountZeroGlidesOutWithoutAJump)
{
    Saturator saturator(Saturator::kSoftSaturation);
    saturator.LoadCurve(Builtins());
    saturator.Prepare(44100.0, kGlideFrames);
    saturator.amount = 0.5;
    StereoBuffer settled = GlideSine(0);
    saturator.BeginBlock();
    saturator.Process(settled.Io(), kGlideFrames);
    saturator.amount = 0.0;
    StereoBuffer out = GlideSine(kGlideFrames);
    saturator.BeginBlock();
    saturator.Process(out.Io(), kGlideFrames);
    const double allowed = 1.1 * std::max(LargestStep(settled.left), LargestStep(GlideSine(0).left));
    EXPECT_LT(std::fabs(out.left[0] - settled.left.back()), allowed);
    EXPECT_LT(LargestStep(out.left), allowed);
    EXPECT_EQ(saturator.amountState, 0.0);
    EXPECT_EQ(out.left.back(), GlideSine(kGlideFrames).left.back());
    StereoBuffer after = GlideSine(2 * kGlideFrames);
    saturator.BeginBlock();
    saturator.Process(after.Io(), kGlideFrames);
    EXPECT_EQ(after.left, GlideSine(2 * kGlideFrames).left);
}

TEST(Saturator, SettledFullAmountClampsTheDrivenCurve)
{
    Saturator saturator(Saturator::kSoftSaturation);
    saturator.LoadCurve(Builtins());
    saturator.SetMode(1.0);
    saturator.amount = 1.0;
    saturator.amountState = 1.0;
    saturator.driveState = saturator.drive;
    StereoBuffer block(std::vector<double>{0.05, 0.5}, std::vector<double>{-0.05, -0.5});
    saturator.BeginBlock();
    saturator.Process(block.Io(), 2);
    for (int i = 0; i < 2; ++i)
    {
        const double x = i == 0 ? 0.05 : 0.5;
        EXPECT_NEAR(block.left[i], std::clamp(10.777 * CurveAt(saturator, x), -1.0, 1.0), 1e-12);
        EXPECT_NEAR(block.right[i], std::clamp(10.777 * CurveAt(saturator, -x), -1.0, 1.0), 1e-12);
    }
}

TEST(Saturator, SmallAmountBlendsDryAndSaturated)
{
    Saturator saturator(Saturator::kSoftSaturation);
    saturator.LoadCurve(Builtins());
    saturator.amount = 0.1;
    saturator.amountState = 0.1;
    saturator.driveState = saturator.drive;
    StereoBuffer block(std::vector<double>{0.3}, std::vector<double>{-0.3});
    saturator.BeginBlock();
    saturator.Process(block.Io(), 1);
    const double s = saturator.amountState;
    const double wet = std::clamp(s * saturator.driveState * CurveAt(saturator, 0.3), -1.0, 1.0);
    EXPECT_NEAR(s, 0.1, 1e-15);
    EXPECT_DOUBLE_EQ(block.left[0], (1.0 - 2.0 * s) * 0.3 + 2.0 * s * wet);
    EXPECT_DOUBLE_EQ(block.right[0], -block.left[0]);
}

TEST(Saturator, SetModeChoosesTheDrive)
{
    struct Case
    {
        double v;
        uint32_t mode;
        double drive;
    };
    for (const Case c : {Case{0.0, 0, 2.5}, Case{0.74, 1, 5.0}, Case{0.75, 2, 10.777}, Case{1.3, 3, 10.777},
                         Case{-4.0, 0, 2.5}, Case{std::nan(""), 0, 2.5}, Case{1e300, 0xFFFFFFFFu, 10.777}})
    {
        Saturator saturator(Saturator::kSoftSaturation);
        saturator.SetMode(1.0);
        saturator.SetMode(c.v);
        EXPECT_EQ(saturator.driveMode, c.mode) << c.v;
        EXPECT_EQ(saturator.drive, c.drive) << c.v;
    }
}

TEST(Saturator, LoadCurveTakesItsSourceSlotSanitised)
{
    auto edited = std::make_unique<Wezmark::DistortionDataProvider>();
    edited->slots[84].points[0] = std::numeric_limits<double>::quiet_NaN();
    edited->slots[84].points[1] = -std::numeric_limits<double>::infinity();
    const Wezmark::BuiltinCurves builtins(std::move(edited));
    const Wezmark::DistortionDataProvider& library = builtins.Library();
    struct Case
    {
        uint32_t source;
        int slot;
    };
    for (const Case c : {Case{0, 82}, Case{1, 84}, Case{7, -1}})
    {
        SCOPED_TRACE(c.source);
        Saturator saturator(c.source);
        saturator.curve.interpolation = 0;
        saturator.LoadCurve(builtins);
        EXPECT_EQ(saturator.curve.interpolation, 4u);
        EXPECT_EQ(saturator.amountTake, 1.0 - 0.9777);
        EXPECT_EQ(saturator.driveKeep, 0.9777);
        for (int i = 0; i < 2048; ++i)
        {
            const double source = c.slot < 0 ? i * (2.0 / 2047) - 1.0 : library.slots[c.slot].points[i];
            const double expected = std::isfinite(source) ? std::clamp(source, -1.0, 1.0) : 0.0;
            ASSERT_DOUBLE_EQ(saturator.curve.Points()[i], expected) << i;
        }
    }
}

TEST(Saturator, BlockLongerThanItsScratchPassesUnchanged)
{
    Saturator saturator(Saturator::kSoftSaturation);
    saturator.LoadCurve(Builtins());
    saturator.amount = 1.0;
    StereoBuffer block(1025, 0.4);
    saturator.BeginBlock();
    saturator.Process(block.Io(), 1025);
    EXPECT_EQ(block.left.front(), 0.4);
    EXPECT_EQ(block.left.back(), 0.4);
    saturator.Prepare(44100.0, 1025);
    saturator.BeginBlock();
    saturator.Process(block.Io(), 1025);
    EXPECT_NE(block.left.back(), 0.4);
}

} // namespace
