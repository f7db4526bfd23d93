#include "dsp/units/filters/SubBandProcessor.h"
#include "tests/support/StereoBuffer.h"
#include "tests/support/TestSignals.h"

#include <gtest/gtest.h>

#include <cmath>
#include <memory>

using Wezmark::SubBandProcessor;

namespace
{

constexpr double kRate = 44100.0;
constexpr double kGainKeep = 0.9777;

// As the plug-in starts it: no distortion stage here, start-up smoothing, both gains 1.
std::unique_ptr<SubBandProcessor> MakeUnit()
{
    auto unit = std::make_unique<SubBandProcessor>(nullptr);
    for (SubBandProcessor::GainSmoother* smoother : {&unit->subGainSmoother, &unit->distoGainSmoother})
    {
        smoother->a = kGainKeep;
        smoother->b = 1.0 - kGainKeep;
    }
    unit->SetSampleRate(kRate);
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
    unit.ProcessBlock(input.In(), out.Io(), n);
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
    reference.SetSampleRate(kRate);
    reference.Reset();
    unit->splitter.Reset();

    StereoBuffer input(WhiteNoise(300, 0.5, 71), WhiteNoise(300, 0.5, 72));
    StereoBuffer main(WhiteNoise(300, 0.5, 73), WhiteNoise(300, 0.5, 74));
    StereoBuffer out = main;
    unit->ProcessBlock(input.In(), out.Io(), 300);
    reference.ProcessBlock(input.In(), main.In(), 300);
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
    aliased->ProcessBlock(sameTwice, aliasedOut.Io(), 256);

    StereoBuffer copies(raw, raw);
    StereoBuffer separateOut(main, main);
    separate->ProcessBlock(copies.In(), separateOut.Io(), 256);

    EXPECT_EQ(shared, raw);
    EXPECT_EQ(copies.left, raw);
    EXPECT_EQ(aliasedOut.left, separateOut.left);
    EXPECT_EQ(aliasedOut.right, separateOut.right);
}

TEST(SubBandProcessor, SwitchingOffCrossfadesToTheMainSignalThenPassesItExactly)
{
    auto unit = MakeUnit();
    auto twin = MakeUnit();
    StereoBuffer input(WhiteNoise(600, 0.5, 81), WhiteNoise(600, 0.5, 82));
    const std::vector<double> main = WhiteNoise(600, 0.5, 83);
    unit->SetBypass(true);
    const std::vector<double> faded = Process(*unit, input, main, 600);
    const std::vector<double> processed = Process(*twin, input, main, 600);
    for (int i = 0; i < 600; ++i)
    {
        const double g = std::max(0.998 - 0.002 * i, 0.0);
        EXPECT_NEAR(faded[i], (1.0 - g) * main[i] + g * processed[i], 1e-12) << i;
    }
    EXPECT_EQ(unit->fade, 0.0);

    const std::vector<double> laterMain = WhiteNoise(256, 0.5, 84);
    EXPECT_EQ(Process(*unit, input, laterMain, 256), laterMain);
}

TEST(SubBandProcessor, BlockLongerThanTheBlockSizePassesUnchanged)
{
    auto unit = MakeUnit();
    StereoBuffer input(WhiteNoise(1025, 0.5, 85), WhiteNoise(1025, 0.5, 86));
    const std::vector<double> main = WhiteNoise(1025, 0.5, 87);
    EXPECT_EQ(Process(*unit, input, main, 1025), main);
    unit->SetBlockSize(2048);
    EXPECT_NE(Process(*unit, input, main, 1025), main);
}
