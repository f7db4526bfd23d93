#include "dsp/units/DeadZoneGate.h"
#include "dsp/units/Quantizer.h"
#include "dsp/units/SmpRateConverter.h"
#include "tests/dsp_units_path/StereoBuffer.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <limits>

namespace
{

Quantizer QuantizerAt(double amount)
{
    Quantizer q;
    q.amount = amount;
    q.bits = amount == 1.0 ? 64.0 : 63.0 * amount + 1.0;
    q.factor = std::pow(2.0, q.bits);
    return q;
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
        QuantizerAt(c.amount).ProcessBlock(block.Io(), 1);
        EXPECT_EQ(block.left[0], c.out) << c.amount << " " << c.in;
        EXPECT_EQ(block.right[0], -c.out) << c.amount << " " << c.in;
    }
}

TEST(Quantizer, OffStatesPassTheBlockUnchanged)
{
    Quantizer bypassed = QuantizerAt(0.0);
    bypassed.bypassed = true;
    for (const Quantizer& q : {QuantizerAt(1.0), QuantizerAt(1.5), bypassed})
    {
        StereoBuffer block(std::vector<double>{0.123456789, std::nan("")}, std::vector<double>{-0.3, 7.0});
        q.ProcessBlock(block.Io(), 2);
        EXPECT_EQ(block.left[0], 0.123456789);
        EXPECT_TRUE(std::isnan(block.left[1]));
        EXPECT_EQ(block.right[1], 7.0);
    }
}

TEST(Quantizer, QuarterAmountGivesSixteenPointSevenFiveBits)
{
    const Quantizer q = QuantizerAt(0.25);
    EXPECT_EQ(q.bits, 16.75);
    EXPECT_EQ(q.factor, std::pow(2.0, 16.75));
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

TEST(SmpRateConverter, HoldsDecimatedFramesOverTheBlock)
{
    struct Case
    {
        double ratio;
        int32_t frames;
        int32_t heldFrames;
    };
    for (const Case c : {Case{0.5, 512, 256}, Case{0.25, 64, 16}, Case{0.001, 512, 2}, Case{0.0, 100, 2},
                         Case{-3.0, 100, 2}, Case{std::nan(""), 100, 2}, Case{0.5, 1, 2}})
    {
        SCOPED_TRACE(c.ratio);
        Wezmark::SmpRateConverter reducer;
        reducer.SetBlockSize(512);
        reducer.ratio = c.ratio;
        StereoBuffer block = Ramp(c.frames);
        reducer.ProcessBlock(block.Io(), c.frames);
        for (int32_t i = 0; i < c.frames; ++i)
        {
            const int32_t held = i * c.heldFrames / c.frames;
            const int32_t source = held * c.frames / c.heldFrames;
            ASSERT_EQ(block.left[i], source) << i;
            ASSERT_EQ(block.right[i], -source) << i;
        }
    }
}

TEST(SmpRateConverter, OffStatesAndUnfittingBlocksPassUnchanged)
{
    struct Case
    {
        const char* name;
        double ratio;
        bool bypassed;
        int32_t frames;
    };
    for (const Case c : {Case{"ratio one", 1.0, false, 64}, Case{"bypassed", 0.5, true, 64},
                         Case{"more held frames than fit", 40.0, false, 64}, Case{"empty block", 0.5, false, 0}})
    {
        SCOPED_TRACE(c.name);
        Wezmark::SmpRateConverter reducer;
        reducer.SetBlockSize(64);
        reducer.ratio = c.ratio;
        reducer.SetBypass(c.bypassed);
        StereoBuffer block = Ramp(c.frames);
        reducer.ProcessBlock(block.Io(), c.frames);
        EXPECT_EQ(block.left, Ramp(c.frames).left);
    }
}

// Run in pieces (as the oversampled chains run it), the reducer must still spread its held
// frames over the whole block: every piece length gives what one call on the block gives.
TEST(SmpRateConverter, PiecesGiveWhatTheWholeBlockGives)
{
    struct Case
    {
        double ratio;
        int32_t frames;
    };
    for (const Case c : {Case{0.8, 4096}, Case{0.37, 4096}, Case{1.0 / 3.0, 2400}, Case{0.999, 1000},
                         Case{0.001, 777}, Case{std::nan(""), 100}, Case{0.5, 1}})
    {
        for (const int32_t piece : {1, 7, 256, 5000})
        {
            SCOPED_TRACE(testing::Message() << c.ratio << " x " << c.frames << " in pieces of " << piece);
            Wezmark::SmpRateConverter whole;
            Wezmark::SmpRateConverter pieces;
            for (Wezmark::SmpRateConverter* reducer : {&whole, &pieces})
            {
                reducer->SetBlockSize(4096);
                reducer->ratio = c.ratio;
            }
            StereoBuffer expected = Ramp(c.frames);
            whole.ProcessBlock(expected.Io(), c.frames);
            StereoBuffer block = Ramp(c.frames);
            pieces.BeginBlock(c.frames);
            for (int32_t from = 0; from < c.frames; from += piece)
            {
                double* const io[2] = {block.left.data() + from, block.right.data() + from};
                pieces.ProcessPiece(io, std::min(piece, c.frames - from));
            }
            ASSERT_EQ(block.left, expected.left);
            ASSERT_EQ(block.right, expected.right);
        }
    }
}

TEST(SmpRateConverter, SwitchesAtOnceWithoutAFade)
{
    Wezmark::SmpRateConverter reducer;
    reducer.ratio = 0.5;
    reducer.SetBypass(true);
    StereoBuffer block = Ramp(8);
    reducer.ProcessBlock(block.Io(), 8);
    EXPECT_EQ(block.left, Ramp(8).left);
    reducer.SetBypass(false);
    reducer.ProcessBlock(block.Io(), 8);
    EXPECT_EQ(block.left, (std::vector<double>{0, 0, 2, 2, 4, 4, 6, 6}));
}

TEST(DeadZoneGate, ZeroesBelowTheTargetAtOnceAndLiftsTheKnee)
{
    DeadZoneGate gate;
    gate.target = 0.1;
    StereoBuffer block(std::vector<double>{0.05, -0.099, 0.1, 0.5, std::nan("")},
                       std::vector<double>{-0.05, 0.0, -0.1, -0.5, 0.2});
    gate.ProcessBlock(block.Io(), 5);
    // The smoothed threshold has barely started to rise.
    EXPECT_LT(gate.threshold, 0.01);
    EXPECT_EQ(block.left[0], 0.0);
    EXPECT_EQ(block.left[1], 0.0);
    EXPECT_EQ(block.right[0], 0.0);
    // At the target the knee formula gives the sample itself.
    EXPECT_EQ(block.left[2], 0.1);
    EXPECT_EQ(block.right[2], -0.1);
    EXPECT_EQ(block.left[3], 0.5);
    EXPECT_EQ(block.right[3], -0.5);
    EXPECT_EQ(block.left[4], 0.0);
    EXPECT_EQ(block.right[4], 0.2);
}

TEST(DeadZoneGate, KneeFollowsTheSmoothedThreshold)
{
    DeadZoneGate gate;
    gate.target = 0.1;
    gate.threshold = 0.1;
    StereoBuffer block(std::vector<double>{0.105}, std::vector<double>{-0.105});
    gate.ProcessBlock(block.Io(), 1);
    EXPECT_DOUBLE_EQ(gate.knee, 0.01);
    EXPECT_DOUBLE_EQ(gate.kneeTop, 0.11);
    const double lifted = (0.105 - 0.1) / 0.01 * 0.11 + 0.105;
    EXPECT_DOUBLE_EQ(block.left[0], lifted);
    EXPECT_DOUBLE_EQ(block.right[0], -lifted);
}

TEST(DeadZoneGate, TargetZeroDoesNoWork)
{
    DeadZoneGate gate;
    StereoBuffer block(std::vector<double>{0.001}, std::vector<double>{-0.001});
    gate.ProcessBlock(block.Io(), 1);
    EXPECT_EQ(block.left[0], 0.001);
    EXPECT_EQ(gate.threshold, 0.0);
}

} // namespace
