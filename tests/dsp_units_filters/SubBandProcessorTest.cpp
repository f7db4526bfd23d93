#include "dsp/units/filters/SubBandProcessor.h"
#include "dsp/units/TimeConstants.h"
#include "tests/support/StereoBuffer.h"
#include "tests/support/TestSignals.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <memory>

using Wezmark::SubBandProcessor;

namespace
{

constexpr double kRate = 44100.0;

// As the plug-in starts it: no distortion stage here, the rate set, which paces the gains'
// glides, both gains 1.
std::unique_ptr<SubBandProcessor> MakeUnit()
{
    auto unit = std::make_unique<SubBandProcessor>(nullptr);
    unit->Prepare(kRate, SubBandProcessor::kInitialFrames);
    return unit;
}

// Only the sub band is heard: the main signal's gain has settled at 0.
std::unique_ptr<SubBandProcessor> MakeSubBandOnly()
{
    auto unit = MakeUnit();
    unit->distoGain = 0.0;
    unit->distoGainSmoother.state = 0.0;
    return unit;
}

std::vector<double> Process(SubBandProcessor& unit, StereoBuffer& input, const std::vector<double>& main, int n,
                            bool rightChannel = false)
{
    StereoBuffer out(main, main);
    unit.Process(input.In(), out.Io(), n);
    return rightChannel ? out.right : out.left;
}

} // namespace

TEST(SubBandProcessor, ChannelModesRouteTheRawInput)
{
    const std::vector<double> left = WhiteNoise(256, 0.5, 61);
    const std::vector<double> right = WhiteNoise(256, 0.5, 62);
    std::vector<double> mix(256);
    for (size_t i = 0; i < mix.size(); ++i)
        mix[i] = (left[i] + right[i]) / 2.0;
    const std::vector<double> main = WhiteNoise(256, 0.5, 63);
    struct Case { uint32_t mode; const std::vector<double>* routedLeft; const std::vector<double>* routedRight; };
    const Case cases[] = {
        {0, &left, &right}, {1, &right, &left}, {2, &mix, &mix}, {3, &left, &left}, {4, &right, &right},
        {5, &left, &right}, {99, &left, &right},
    };
    for (const Case& c : cases)
    {
        StereoBuffer input(left, right);
        StereoBuffer expectedInput(*c.routedLeft, *c.routedRight);
        for (bool rightChannel : {false, true})
        {
            auto first = MakeSubBandOnly();
            first->channelMode = c.mode;
            auto second = MakeSubBandOnly();
            EXPECT_EQ(Process(*first, input, main, 256, rightChannel),
                      Process(*second, expectedInput, main, 256, rightChannel))
                << "mode " << c.mode << (rightChannel ? " right" : " left");
        }
    }
}

TEST(SubBandProcessor, MonoSumOfOppositeChannelsFeedsSilence)
{
    auto unit = MakeSubBandOnly();
    unit->channelMode = 2;
    StereoBuffer input(std::vector<double>(512, 1.0), std::vector<double>(512, -1.0));
    const std::vector<double> out = Process(*unit, input, WhiteNoise(512, 0.5, 67), 512);
    for (double sample : out)
        EXPECT_LT(std::fabs(sample), 1e-6);
}

TEST(SubBandProcessor, SubBandAloneIsTheLowPassedScaledInput)
{
    auto unit = MakeSubBandOnly();
    unit->subGainSmoother.state = 1.0;
    unit->equaliser.SetBypass(true);
    unit->equaliser.fade = 0.0;
    Wezmark::BandSplitFilter reference;
    reference.Prepare(kRate, Wezmark::BandSplitFilter::kInitialFrames);
    reference.Reset();
    unit->splitter.Reset();

    StereoBuffer input(WhiteNoise(300, 0.5, 71), WhiteNoise(300, 0.5, 72));
    StereoBuffer main(WhiteNoise(300, 0.5, 73), WhiteNoise(300, 0.5, 74));
    StereoBuffer out = main;
    unit->Process(input.In(), out.Io(), 300);
    reference.Process(input.In(), main.In(), 300);
    EXPECT_EQ(out.left, std::vector<double>(reference.lowWork.left, reference.lowWork.left + 300));
    EXPECT_EQ(out.right, std::vector<double>(reference.lowWork.right, reference.lowWork.right + 300));
}

TEST(SubBandProcessor, HostInputIsNeverWrittenAndMayAlias)
{
    const std::vector<double> raw = WhiteNoise(256, 0.8, 75);
    const std::vector<double> main = WhiteNoise(256, 0.5, 76);
    auto aliased = MakeUnit();
    auto separate = MakeUnit();
    aliased->subGain = separate->subGain = 0.7;

    std::vector<double> shared = raw;
    const double* const sameTwice[2] = {shared.data(), shared.data()};
    StereoBuffer aliasedOut(main, main);
    aliased->Process(sameTwice, aliasedOut.Io(), 256);

    StereoBuffer copies(raw, raw);
    StereoBuffer separateOut(main, main);
    separate->Process(copies.In(), separateOut.Io(), 256);

    EXPECT_EQ(shared, raw);
    EXPECT_EQ(copies.left, raw);
    EXPECT_EQ(aliasedOut.left, separateOut.left);
    EXPECT_EQ(aliasedOut.right, separateOut.right);
}

// A 200 Hz sine as both the raw input and the main signal, at a 200 Hz split whose bands
// (second-order low pass, fourth-order high pass) are a quarter turn apart there, switched on and
// off again in blocks of `block`; the unit has ended on the main signal when it returns.
std::vector<double> RenderSwitching(SubBandProcessor& unit, int block, int switchFrames, double amplitude)
{
    unit.splitter.highSlope = 2;
    const std::vector<double> sine = Sine(6 * switchFrames, 200.0, kRate, amplitude);
    std::vector<double> out;
    const auto run = [&](int frames) {
        for (const size_t end = out.size() + static_cast<size_t>(frames); out.size() < end;)
        {
            const size_t at = out.size();
            const int n = static_cast<int>(std::min(end - at, static_cast<size_t>(block)));
            const std::vector<double> piece(sine.begin() + at, sine.begin() + at + n);
            StereoBuffer input(piece, piece);
            const std::vector<double> result = Process(unit, input, piece, n);
            out.insert(out.end(), result.begin(), result.end());
        }
    };
    run(switchFrames);
    unit.SetBypass(true);
    run(switchFrames);
    EXPECT_FALSE(unit.Running());
    unit.SetBypass(false);
    run(2 * switchFrames);
    unit.SetBypass(true);
    run(switchFrames);
    EXPECT_FALSE(unit.Running());
    return out;
}

// No period falls more than 3 dB below the sine: the split's phase turns while the bands come in
// and go out, and the unsplit and split signals are not faded against each other. Each step
// starts at the same frame whatever the blocks, and the unit ends on the main signal bit for bit.
TEST(SubBandProcessor, SwitchingOnAndOffTurnsThePhaseWithoutDipAndEndsOnTheMainSignal)
{
    constexpr int kPeriod = 220;
    constexpr double kAmplitude = 0.5;
    // Each way: the low band's handover, the split's sweep and the fade, with frames to spare.
    constexpr int kSwitchFrames = 2 * 500 + TimeConstants::kSplitSweepFrames + 256;
    auto unit = MakeUnit();
    const std::vector<double> out = RenderSwitching(*unit, 256, kSwitchFrames, kAmplitude);
    for (size_t start = kPeriod; start + kPeriod <= out.size(); start += kPeriod / 4)
    {
        double peak = 0.0;
        for (size_t i = start; i < start + kPeriod; ++i)
            peak = std::max(peak, std::fabs(out[i]));
        EXPECT_GT(peak, kAmplitude / std::sqrt(2.0)) << start;
    }
    auto twin = MakeUnit();
    const std::vector<double> inOtherBlocks = RenderSwitching(*twin, 37, kSwitchFrames, kAmplitude);
    ASSERT_EQ(inOtherBlocks.size(), out.size());
    for (size_t i = 0; i < out.size(); ++i)
        ASSERT_NEAR(inOtherBlocks[i], out[i], 1e-12) << i;

    const std::vector<double> laterMain = WhiteNoise(256, 0.5, 84);
    StereoBuffer input(WhiteNoise(256, 0.5, 81), WhiteNoise(256, 0.5, 82));
    EXPECT_EQ(Process(*unit, input, laterMain, 256), laterMain);
}

TEST(SubBandProcessor, BlockLongerThanTheBlockSizePassesUnchanged)
{
    auto unit = MakeUnit();
    StereoBuffer input(WhiteNoise(1025, 0.5, 85), WhiteNoise(1025, 0.5, 86));
    const std::vector<double> main = WhiteNoise(1025, 0.5, 87);
    EXPECT_EQ(Process(*unit, input, main, 1025), main);
    unit->Prepare(kRate, 2048);
    EXPECT_NE(Process(*unit, input, main, 1025), main);
}
