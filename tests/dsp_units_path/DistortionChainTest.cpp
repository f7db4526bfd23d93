#include "dsp/units/curves/BuiltinCurves.h"
#include "dsp/units/curves/LcgRandom.h"
#include "dsp/units/path/DistortionChain.h"
#include "tests/support/StereoBuffer.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>

namespace
{

const Wezmark::BuiltinCurves& Builtins()
{
    return *Wezmark::BuiltinCurves::Shared();
}

StereoBuffer Sine(int32_t frames)
{
    StereoBuffer block(frames);
    for (int32_t i = 0; i < frames; ++i)
    {
        block.left[i] = std::sin(6.283185307179586 * i / frames);
        block.right[i] = block.left[i];
    }
    return block;
}

TEST(DistortionChain, EveryChainFillsTheSameShaperTablesFromItsSeed)
{
    DistortionChain first(Builtins());
    DistortionChain second(Builtins());
    EXPECT_EQ(first.shaper.steps16, second.shaper.steps16);
    EXPECT_EQ(first.shaper.steps64, second.shaper.steps64);

    LcgRandom random(1800);
    for (double step : first.shaper.steps16)
        EXPECT_EQ(step, (random.Next() % 4000 - 4000) / 4000.0);
    for (double step : first.shaper.steps64)
    {
        EXPECT_EQ(step, (random.Next() % 40000 - 40000) / 40000.0);
        EXPECT_GE(step, -1.0);
        EXPECT_LT(step, 0.0);
    }
}

TEST(DistortionChain, StagesThatAreOffPassTheBlockBitForBit)
{
    DistortionChain chain(Builtins());
    chain.distortion.Init();
    chain.shaper.width = 0.5;
    StereoBuffer block = Sine(64);
    block.left[5] = std::nan("");
    const StereoBuffer original = block;
    chain.BeginBlock();
    chain.Process(block.Io(), 64);
    EXPECT_TRUE(std::isnan(block.left[5]));
    block.left[5] = 0.0;
    StereoBuffer expected = original;
    expected.left[5] = 0.0;
    EXPECT_EQ(block.left, expected.left);
    EXPECT_EQ(block.right, expected.right);
}

TEST(DistortionChain, PrepareBoundsTheBlocksThatAreProcessed)
{
    DistortionChain chain(Builtins());
    chain.distortion.Init();
    chain.distortion.amount = 1.0;
    StereoBuffer large = Sine(2048);
    chain.BeginBlock();
    chain.Process(large.Io(), 2048);
    EXPECT_EQ(large.left, Sine(2048).left);

    chain.Prepare(44100.0, 2048);
    EXPECT_GE(chain.distortion.work.capacity, 2048);
    EXPECT_EQ(chain.distortion.work.left[2047], 0.0);
    chain.BeginBlock();
    chain.Process(large.Io(), 2048);
    EXPECT_NE(large.left, Sine(2048).left);
}

TEST(DistortionChain, CurvePreviewReadsTheBareCurveFromMinusOneToOne)
{
    DistortionChain chain(Builtins());
    chain.distortion.Init();
    chain.distortion.SelectCurve(30.0 / 80.0);
    std::array<double, 133> curve{};
    std::array<double, 120> signal{};
    chain.ComputeCurvePreview(curve, signal);
    const DistortionCurve& current = *chain.distortion.current;
    EXPECT_EQ(curve[0], current.Points()[0]);
    EXPECT_EQ(curve[132], current.Points()[2047]);
    EXPECT_DOUBLE_EQ(curve[66], current.Lookup(66 * (1.0 / 66.0) - 1.0, current.Points()));
}

TEST(DistortionChain, CurvePreviewLeavesEverythingTheAudioThreadUsesAlone)
{
    DistortionChain chain(Builtins());
    chain.distortion.Init();
    // Running oversampled changes nothing in the preview.
    chain.Prepare(44100.0, 16, 8);
    chain.distortion.SelectCurve(12.0 / 80.0);
    chain.distortion.amount = 0.9;
    chain.distortion.smoothedAmount = 0.3;
    DistortionCurve& live = *chain.distortion.current;
    live.BuildEffective();
    // A polarity not yet built into the live lookup table.
    live.polarity = DistortionCurve::kLinearBelowZero;
    const double liveEffective = live.Effective()[100];
    std::fill(chain.distortion.work.left, chain.distortion.work.left + 16, -7.0);

    std::array<double, 133> curve{};
    std::array<double, 120> signal{};
    chain.ComputeCurvePreview(curve, signal);

    EXPECT_EQ(chain.distortion.smoothedAmount, 0.3);
    EXPECT_EQ(chain.distortion.work.left[15], -7.0);
    EXPECT_EQ(live.Effective()[100], liveEffective);
    EXPECT_EQ(curve[0], -1.0) << "the preview builds the pending polarity into its own table";

    // The preview's signal is what the live unit would make of the same sine period at the
    // host rate, its amount still gliding.
    chain.Prepare(44100.0, 120);
    StereoBuffer block = Sine(120);
    chain.distortion.BeginBlock();
    chain.distortion.Process(block.Io(), 120);
    for (int32_t i = 0; i < 120; ++i)
        EXPECT_EQ(signal[i], block.left[i]) << i;
}

TEST(DistortionChain, ShaperPreviewUsesTheRawAmountOnItsOwnGrid)
{
    DistortionChain chain(Builtins());
    chain.shaper.amount = 0.6;
    chain.shaper.smoothed = 0.1;
    chain.shaper.mode = 2;
    std::array<double, 133> curve{};
    std::array<double, 120> signal{};
    chain.ComputeShaperPreview(curve, signal);
    for (int32_t i = 0; i < 133; ++i)
        EXPECT_EQ(curve[i], chain.shaper.Shape(2.0 * (i / 133.0 - 0.5), 0.6)) << i;
    for (int32_t i = 0; i < 120; ++i)
        EXPECT_EQ(signal[i], chain.shaper.Shape(std::sin(6.283185307179586 * i / 120), 0.6)) << i;
    EXPECT_EQ(chain.shaper.smoothed, 0.1);
}

// The oversampled chains run their block in pieces; with every stage on, gliding and fading,
// any piece length must give what one call on the block gives.
TEST(DistortionChain, PiecesGiveWhatTheWholeBlockGives)
{
    const auto prepare = [](DistortionChain& chain) {
        chain.Prepare(44100.0, 1024);
        chain.distortion.Init();
        chain.distortion.SelectCurve(22.0 / 80.0);
        chain.distortion.amount = 0.8;
        chain.quantizer.amount = 0.3;
        chain.quantizer.factor = 37.5;
        chain.reducer.ratio = 0.37;
        chain.gate.target = 0.05;
        chain.shaper.amount = 0.7;
        chain.shaper.width = 0.4;
        chain.shaper.mode = 3;
        chain.shaper.SetBypass(true);
        chain.shaper.SetBypass(false);
    };
    for (const int32_t piece : {1, 7, 256})
    {
        SCOPED_TRACE(piece);
        DistortionChain whole(Builtins());
        DistortionChain pieces(Builtins());
        prepare(whole);
        prepare(pieces);
        for (const int32_t frames : {1024, 999, 1024})
        {
            StereoBuffer expected = Sine(frames);
            StereoBuffer block = expected;
            whole.BeginBlock();
            whole.Process(expected.Io(), frames);
            pieces.BeginBlock();
            for (int32_t from = 0; from < frames; from += piece)
            {
                double* const io[2] = {block.left.data() + from, block.right.data() + from};
                pieces.Process(io, std::min(piece, frames - from));
            }
            ASSERT_EQ(block.left, expected.left);
            ASSERT_EQ(block.right, expected.right);
        }
    }
}

// The chain's own switch fades between its output and its input instead of jumping, and a
// chain switched off stops once its input alone is heard.
TEST(DistortionChain, SwitchedOffItFadesToItsInputThenStops)
{
    constexpr int32_t kFrames = 256;
    constexpr int kMostBlocks = 1000;
    DistortionChain chain(Builtins());
    chain.Prepare(44100.0, kFrames);
    chain.distortion.Init();
    chain.distortion.SelectCurve(5.0 / 80.0);
    chain.distortion.amount = 0.8;
    bool works = true;
    const auto play = [&](bool on) {
        StereoBuffer block = Sine(kFrames);
        works = chain.Switch(on);
        if (works)
        {
            chain.BeginBlock();
            chain.Process(block.Io(), kFrames);
        }
        return block;
    };
    const StereoBuffer input = Sine(kFrames);
    for (int block = 0; block < 8; ++block)
        play(true);
    const StereoBuffer shaped = play(true);
    // The second frame after a switch, two steps (some 4 %) into the fade.
    constexpr int32_t kFirst = 1;
    const double shaping = std::fabs(shaped.left[kFirst] - input.left[kFirst]);
    ASSERT_GT(shaping, 0.01);

    StereoBuffer processed = play(false);
    EXPECT_NEAR(processed.left[kFirst], shaped.left[kFirst], 0.05 * shaping);
    int blocks = 1;
    for (StereoBuffer next = play(false); works && blocks < kMostBlocks; next = play(false), ++blocks)
        processed = next;
    EXPECT_LT(blocks, kMostBlocks);
    EXPECT_THAT(processed.left, testing::Pointwise(testing::DoubleNear(1e-12), input.left));

    const StereoBuffer coming = play(true);
    EXPECT_TRUE(works);
    EXPECT_NEAR(coming.left[kFirst], input.left[kFirst], 0.05 * shaping);
}
} // namespace
