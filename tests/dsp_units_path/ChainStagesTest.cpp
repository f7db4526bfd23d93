#include "dsp/units/path/DeadZoneGate.h"
#include "dsp/units/path/Quantizer.h"
#include "dsp/units/path/SmpRateConverter.h"
#include "tests/support/StereoBuffer.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <limits>
#include <vector>

namespace
{

void SetAmount(Quantizer& q, double amount)
{
    q.amount = amount;
    q.bits = amount == 1.0 ? 64.0 : 63.0 * amount + 1.0;
    q.factor = std::pow(2.0, q.bits);
}

TEST(Quantizer, TruncatesTowardZeroToMultiplesOfOneOverFactor)
{
    struct Case
    {
        double amount;
        double in;
        double out;
    };
    const Case cases[] = {
        // One bit: the steps of one half.
        {0.0, 0.74, 0.5},
        {0.0, -0.74, -0.5},
        {0.0, 0.49, 0.0},
        {0.0, 1.0, 1.0},
        {0.0, -1.0, -1.0},
        {0.0, 1.8, 1.5},
        // 16.75 bits.
        {0.25, 0.3, std::trunc(0.3 * std::pow(2.0, 16.75)) / std::pow(2.0, 16.75)},
        // Near 64 bits the product leaves the 64-bit integer range and stays finite.
        {0.999, 1.0, 1.0},
        {0.999, -1.0, -1.0},
        {0.999, 3.0, 3.0},
        {0.999, 0.1, 0.1},
        {0.0, std::nan(""), 0.0},
        {0.0, std::numeric_limits<double>::infinity(), 0.0},
    };
    for (const Case& c : cases)
    {
        StereoBuffer block(std::vector<double>{c.in}, std::vector<double>{-c.in});
        Quantizer q;
        SetAmount(q, c.amount);
        q.Process(block.Io(), 1);
        EXPECT_EQ(block.left[0], c.out) << c.amount << " " << c.in;
        EXPECT_EQ(block.right[0], -c.out) << c.amount << " " << c.in;
    }
}

TEST(Quantizer, OffStatesPassTheBlockUnchanged)
{
    struct Case
    {
        double amount;
        bool bypassed;
    };
    for (const Case& c : {Case{1.0, false}, Case{1.5, false}, Case{0.0, true}})
    {
        Quantizer q;
        SetAmount(q, c.amount);
        q.bypassed = c.bypassed;
        StereoBuffer block(std::vector<double>{0.123456789, std::nan("")}, std::vector<double>{-0.3, 7.0});
        q.Process(block.Io(), 2);
        EXPECT_EQ(block.left[0], 0.123456789);
        EXPECT_TRUE(std::isnan(block.left[1]));
        EXPECT_EQ(block.right[1], 7.0);
    }
}

TEST(Quantizer, QuarterAmountGivesSixteenPointSevenFiveBits)
{
    Quantizer q;
    SetAmount(q, 0.25);
    EXPECT_EQ(q.bits, 16.75);
    EXPECT_EQ(q.factor, std::pow(2.0, 16.75));
}

// A sine at -26 dBFS, 100 Hz at 48 kHz, through a quantiser whose amount changes from `from`
// to `to` at frame `changeAt`, in host blocks of `block` frames.
std::vector<double> QuietSineThroughSwitch(double from, double to, int32_t block)
{
    constexpr int32_t kFrames = 9600;
    constexpr int32_t kChangeAt = 4800 + 120;
    StereoBuffer signal(kFrames);
    for (int32_t i = 0; i < kFrames; ++i)
    {
        signal.left[i] = 0.05 * std::sin(6.283185307179586 * 100.0 * i / 48000.0);
        signal.right[i] = signal.left[i];
    }
    Quantizer q;
    q.Prepare(44100.0, block);
    SetAmount(q, from);
    for (int32_t start = 0; start < kFrames;)
    {
        // A block ends where the change comes, as a host splits its block at an event.
        if (start == kChangeAt)
            SetAmount(q, to);
        const int32_t end = start < kChangeAt ? std::min(start + block, kChangeAt) : std::min(start + block, kFrames);
        double* const io[2] = {signal.left.data() + start, signal.right.data() + start};
        q.Process(io, end - start);
        start = end;
    }
    return signal.left;
}

double LargestStep(const std::vector<double>& signal)
{
    double largest = 0.0;
    for (size_t i = 1; i < signal.size(); ++i)
        largest = std::max(largest, std::fabs(signal[i] - signal[i - 1]));
    return largest;
}

// A quiet signal below one step of a coarse crush is silenced by it: switching the crush off
// or on, or to a finer step, must not jump between silence and the signal at once.
TEST(Quantizer, SettingChangesUnderAQuietSineCrossfade)
{
    struct Case
    {
        const char* name;
        double from;
        double to;
    };
    // One step of the sine itself at its steepest.
    const double ownStep = 0.05 * 6.283185307179586 * 100.0 / 48000.0;
    const Case cases[] = {
        {"coarse crush to off", 0.04, 1.0},
        {"off to coarse crush", 1.0, 0.04},
        {"coarse crush to a fine one", 0.04, 0.25},
        {"fine crush to a coarse one", 0.25, 0.04},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.name);
        const std::vector<double> out = QuietSineThroughSwitch(c.from, c.to, 512);
        // At once the jump was the whole signal, over fifty of its own steps.
        EXPECT_LT(LargestStep(out), 2.0 * ownStep);
        for (const int32_t block : {1, 37, 4096})
            EXPECT_EQ(QuietSineThroughSwitch(c.from, c.to, block), out) << "in blocks of " << block;
    }
}

// Nothing is heard before the first block: the setting then is taken at once, and a setting
// that stays gives exactly the quantised signal.
TEST(Quantizer, FirstSettingIsTakenAtOnce)
{
    const std::vector<double> out = QuietSineThroughSwitch(0.04, 0.04, 512);
    EXPECT_EQ(out, std::vector<double>(out.size(), 0.0));
}

StereoBuffer Ramp(int32_t frames)
{
    StereoBuffer block(frames);
    for (int32_t i = 0; i < frames; ++i)
    {
        block.left[i] = i;
        block.right[i] = -i;
    }
    return block;
}

TEST(SmpRateConverter, HoldsEachKeptFrameUntilTheNext)
{
    struct Case
    {
        double ratio;
        int32_t period;
    };
    // Ratios below the slowest one, NaN among them, hold for the slowest one's period.
    for (const Case c : {Case{0.5, 2}, Case{0.25, 4}, Case{1.0 / 256.0, 256}, Case{0.001, 256}, Case{0.0, 256},
                         Case{-3.0, 256}, Case{std::nan(""), 256}})
    {
        SCOPED_TRACE(c.ratio);
        Wezmark::SmpRateConverter reducer;
        reducer.ratio = c.ratio;
        StereoBuffer block = Ramp(1000);
        reducer.Process(block.Io(), 1000);
        for (int32_t i = 0; i < 1000; ++i)
        {
            const int32_t kept = i - i % c.period;
            ASSERT_EQ(block.left[i], kept) << i;
            ASSERT_EQ(block.right[i], -kept) << i;
        }
    }
}

TEST(SmpRateConverter, OffStatesPassUnchanged)
{
    struct Case
    {
        const char* name;
        double ratio;
        bool bypassed;
        int32_t frames;
    };
    for (const Case c : {Case{"ratio one", 1.0, false, 64}, Case{"bypassed", 0.5, true, 64},
                         Case{"ratio above one keeps every frame", 40.0, false, 64}, Case{"empty block", 0.5, false, 0}})
    {
        SCOPED_TRACE(c.name);
        Wezmark::SmpRateConverter reducer;
        reducer.ratio = c.ratio;
        reducer.SetBypass(c.bypassed);
        StereoBuffer block = Ramp(c.frames);
        reducer.Process(block.Io(), c.frames);
        EXPECT_EQ(block.left, Ramp(c.frames).left);
    }
}

// The host's block size must not change the sound: phase and held frame run on across calls.
TEST(SmpRateConverter, AnyBlockLengthGivesTheSameStream)
{
    constexpr int32_t kFrames = 5000;
    for (const double ratio : {0.8, 0.37, 1.0 / 3.0, 0.999, 0.001, std::nan("")})
    {
        Wezmark::SmpRateConverter whole;
        whole.ratio = ratio;
        StereoBuffer expected = Ramp(kFrames);
        whole.Process(expected.Io(), kFrames);
        for (const int32_t length : {1, 7, 64, 512, 4096})
        {
            SCOPED_TRACE(testing::Message() << ratio << " in blocks of " << length);
            Wezmark::SmpRateConverter blocks;
            blocks.ratio = ratio;
            StereoBuffer stream = Ramp(kFrames);
            for (int32_t from = 0; from < kFrames; from += length)
            {
                double* const io[2] = {stream.left.data() + from, stream.right.data() + from};
                blocks.Process(io, std::min(length, kFrames - from));
            }
            ASSERT_EQ(stream.left, expected.left);
            ASSERT_EQ(stream.right, expected.right);
        }
    }
}

TEST(SmpRateConverter, SwitchesAtOnceWithoutAFadeAndResumesWithTheFrameAtHand)
{
    Wezmark::SmpRateConverter reducer;
    reducer.ratio = 0.25;
    StereoBuffer block = Ramp(6);
    reducer.Process(block.Io(), 6);
    EXPECT_EQ(block.left, (std::vector<double>{0, 0, 0, 0, 4, 4}));
    reducer.SetBypass(true);
    block = Ramp(8);
    reducer.Process(block.Io(), 8);
    EXPECT_EQ(block.left, Ramp(8).left);
    reducer.SetBypass(false);
    reducer.Process(block.Io(), 8);
    EXPECT_EQ(block.left, (std::vector<double>{0, 0, 0, 0, 4, 4, 4, 4}));
}

// The lengths of the runs of equal frames in `samples` (a ramp through the reducer).
std::vector<int32_t> HoldLengths(const std::vector<double>& samples)
{
    std::vector<int32_t> lengths;
    for (size_t i = 0; i < samples.size(); ++i)
        if (i == 0 || samples[i] != samples[i - 1])
            lengths.push_back(1);
        else
            ++lengths.back();
    return lengths;
}

// Let go of at once, a frame held for 256 frames would jump to the live signal; the holds
// shrink instead, one after the other, until every frame is live. A lower ratio holds at once.
TEST(SmpRateConverter, AHigherRatioGlidesTheHoldsShorterALowerOneHoldsAtOnce)
{
    Wezmark::SmpRateConverter reducer;
    reducer.ratio = Wezmark::SmpRateConverter::kSlowestRatio;
    StereoBuffer block = Ramp(100);
    reducer.Process(block.Io(), 100);
    reducer.ratio = 1.0;
    block = Ramp(3000);
    reducer.Process(block.Io(), 3000);
    const std::vector<int32_t> holds = HoldLengths(block.left);
    ASSERT_GT(holds.size(), 4u);
    EXPECT_GT(holds[1], 2);
    // A fraction of a frame carries over, so neighbouring holds may differ by one.
    for (size_t i = 2; i < holds.size(); ++i)
        ASSERT_LE(holds[i], holds[i - 1] + 1) << i;
    const StereoBuffer live = Ramp(3000);
    EXPECT_EQ(std::vector<double>(block.left.end() - 100, block.left.end()),
              std::vector<double>(live.left.end() - 100, live.left.end()));
    reducer.ratio = 0.25;
    block = Ramp(12);
    reducer.Process(block.Io(), 12);
    // The phase runs on: the frame in hand is held out, then every fourth is kept.
    EXPECT_EQ(block.left, (std::vector<double>{0, 0, 0, 3, 3, 3, 3, 7, 7, 7, 7, 11}));
}

TEST(DeadZoneGate, SettledZeroesBelowTheThresholdAndFadesInThroughTheKnee)
{
    DeadZoneGate gate;
    gate.target = 0.1;
    gate.threshold = 0.1;
    StereoBuffer block(std::vector<double>{0.05, -0.099, 0.1, 0.105, 0.5, std::nan("")},
                       std::vector<double>{-0.05, 0.0, -0.1, -0.105, -0.5, 0.2});
    gate.Process(block.Io(), 6);
    EXPECT_DOUBLE_EQ(gate.knee, 0.01);
    EXPECT_DOUBLE_EQ(gate.kneeTop, 0.11);
    const std::vector<double> left{0.0, 0.0, 0.0, 0.105 * 0.5, 0.5, 0.0};
    const std::vector<double> right{0.0, 0.0, -0.0, -0.105 * 0.5, -0.5, 0.2};
    for (size_t i = 0; i < left.size(); ++i)
    {
        EXPECT_NEAR(block.left[i], left[i], 1e-15) << i;
        EXPECT_NEAR(block.right[i], right[i], 1e-15) << i;
    }
}

// Held, raised or lowered from closed, no sample ever leaves louder than it came.
TEST(DeadZoneGate, NeverRaisesASample)
{
    const struct
    {
        double from;
        double to;
    } glides[] = {{0.0, 0.4}, {1.0, 0.1}, {0.41, 0.41}, {0.3, 0.0}};
    for (const auto& glide : glides)
    {
        SCOPED_TRACE(testing::Message() << glide.from << " to " << glide.to);
        DeadZoneGate gate;
        gate.threshold = glide.from;
        gate.target = glide.to;
        constexpr int kFrames = 4000;
        std::vector<double> input(kFrames);
        for (int i = 0; i < kFrames; ++i)
            input[static_cast<size_t>(i)] = 0.5 * std::sin(0.0285 * i);
        StereoBuffer block(input, input);
        gate.Process(block.Io(), kFrames);
        for (size_t i = 0; i < input.size(); ++i)
            ASSERT_LE(std::fabs(block.left[i]), std::fabs(input[i])) << i;
    }
}

TEST(DeadZoneGate, SwitchedOffGlidesOutThenDoesNoWork)
{
    DeadZoneGate gate;
    gate.threshold = 0.1;
    StereoBuffer block(std::vector<double>{0.05}, std::vector<double>{-0.001});
    gate.Process(block.Io(), 1);
    EXPECT_EQ(block.left[0], 0.0);
    EXPECT_GT(gate.threshold, 0.0);
    StereoBuffer rest(std::vector<double>(20000, 0.001), std::vector<double>(20000, 0.001));
    gate.Process(rest.Io(), 20000);
    EXPECT_EQ(gate.threshold, 0.0);
    StereoBuffer after(std::vector<double>{0.001}, std::vector<double>{-0.001});
    gate.Process(after.Io(), 1);
    EXPECT_EQ(after.left[0], 0.001);
}

} // namespace
