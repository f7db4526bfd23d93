#include "dsp/filters/Filter.h"
#include "dsp/units/filters/BandSplitFilter.h"
#include "dsp/units/filters/DesignParams.h"
#include "tests/support/StereoBuffer.h"
#include "tests/support/TestSignals.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <limits>
#include <vector>

using Wezmark::BandSplitFilter;

namespace
{

constexpr double kRate = 44100.0;

} // namespace

TEST(BandSplitFilter, FreshUnitSplitsAt200Hz)
{
    BandSplitFilter splitter;
    EXPECT_NEAR(splitter.GetLowSplit(), 200.0, 1e-9);
    EXPECT_NEAR(splitter.GetHighSplit(), 200.0, 1e-9);
    EXPECT_TRUE(splitter.link);
    EXPECT_EQ(splitter.lowSlope, 1u);
    EXPECT_EQ(splitter.highSlope, 1u);
}

TEST(BandSplitFilter, SplitValuesAreClampedTo20To21000Hz)
{
    struct Case { double v; double hz; };
    const Case cases[] = {{0.0, 20.0}, {1.0, 21000.0}, {-2.0, 20.0}, {0.5, 10.0 * std::sqrt(2204.0)}};
    for (const Case& c : cases)
    {
        BandSplitFilter splitter;
        splitter.link = false;
        splitter.SetLowSplit(c.v);
        splitter.SetHighSplit(c.v);
        for (uint32_t slope = 0; slope < 4; ++slope)
        {
            splitter.lowSlope = splitter.highSlope = slope;
            EXPECT_NEAR(splitter.GetLowSplit(), c.hz, 1e-9) << c.v << " slope " << slope;
            EXPECT_NEAR(splitter.GetHighSplit(), c.hz, 1e-9) << c.v << " slope " << slope;
        }
    }
}

TEST(BandSplitFilter, LinkMakesTheHighSplitSetTheLowSplit)
{
    struct Case { bool link; double lowHz; };
    const Case cases[] = {{true, 21000.0}, {false, 20.0}};
    for (const Case& c : cases)
    {
        BandSplitFilter splitter;
        splitter.link = c.link;
        splitter.SetLowSplit(0.0);
        splitter.SetHighSplit(1.0);
        EXPECT_EQ(splitter.GetHighSplit(), 21000.0);
        EXPECT_EQ(splitter.GetLowSplit(), c.lowHz);
        EXPECT_EQ(splitter.lowSplit, c.link ? 1.0 : 0.0);
    }
    BandSplitFilter splitter;
    splitter.SetLowSplit(0.3);
    EXPECT_NEAR(splitter.GetHighSplit(), 200.0, 1e-9);
}

TEST(BandSplitFilter, SlopeChoosesTheOrderAtTheSameCutoff)
{
    // A decade above the cutoff a Butterworth low pass of order N is down by about 10^-N.
    struct Case { uint32_t slope; double decadeAbove; };
    const Case cases[] = {{0, 0.1}, {1, 0.01}, {2, 1e-4}, {3, 1e-8}};
    BandSplitFilter splitter;
    splitter.Prepare(kRate, BandSplitFilter::kInitialFrames);
    splitter.SetHighSplit(0.38915574457972946);
    for (const Case& c : cases)
    {
        splitter.lowSlope = c.slope;
        splitter.highSlope = c.slope;
        EXPECT_NEAR(splitter.GetLowSplit(), 200.0, 1e-9);
        EXPECT_NEAR(splitter.Response(0, 200.0 / kRate), std::sqrt(0.5), 1e-6) << c.slope;
        EXPECT_NEAR(splitter.Response(1, 200.0 / kRate), std::sqrt(0.5), 1e-6) << c.slope;
        EXPECT_NEAR(splitter.Response(0, 2000.0 / kRate) / c.decadeAbove, 1.0, 0.1) << c.slope;
        EXPECT_NEAR(splitter.Response(1, 20.0 / kRate) / c.decadeAbove, 1.0, 0.1) << c.slope;
        EXPECT_NEAR(splitter.Response(0, 0.0), 1.0, 1e-9);
        EXPECT_NEAR(splitter.Response(1, 0.5), 1.0, 1e-9);
    }
}

TEST(BandSplitFilter, SlopeOutsideRangeLeavesItsBandUnfiltered)
{
    BandSplitFilter splitter;
    splitter.lowSlope = 4;
    splitter.highSlope = 7;
    EXPECT_EQ(splitter.GetLowSplit(), 0.0);
    EXPECT_EQ(splitter.GetHighSplit(), 0.0);
    EXPECT_EQ(splitter.Response(0, 0.2), 1.0);
    EXPECT_EQ(splitter.Response(1, 0.001), 1.0);

    const std::vector<double> noise = WhiteNoise(256, 0.5, 31);
    StereoBuffer low(noise, noise);
    StereoBuffer high(noise, noise);
    splitter.Process(low.In(), high.In(), 256);
    EXPECT_EQ(std::vector<double>(splitter.lowWork.left, splitter.lowWork.left + 256), noise);
    EXPECT_EQ(std::vector<double>(splitter.highWork.right, splitter.highWork.right + 256), noise);
}

TEST(BandSplitFilter, BandsSumBackToTheSignalAtTheSplit)
{
    // Same input to both sides: first-order low and high pass add up to the signal itself.
    BandSplitFilter splitter;
    splitter.Prepare(kRate, BandSplitFilter::kInitialFrames);
    splitter.lowSlope = splitter.highSlope = 0;
    splitter.Reset();
    const std::vector<double> tone = [] {
        std::vector<double> samples(1024);
        for (size_t i = 0; i < samples.size(); ++i)
            samples[i] = std::sin(2.0 * 3.141592653589793 * 200.0 * static_cast<double>(i) / kRate);
        return samples;
    }();
    StereoBuffer signal(tone, tone);
    splitter.Process(signal.In(), signal.In(), 1024);
    double peak = 0.0;
    for (int i = 512; i < 1024; ++i)
        peak = std::max(peak, std::fabs(splitter.lowWork.left[i] + splitter.highWork.left[i]));
    EXPECT_NEAR(peak, 1.0, 1e-3);
}

TEST(BandSplitFilter, LongBlockLeavesTheBandsAsTheyWere)
{
    BandSplitFilter splitter;
    const std::vector<double> noise = WhiteNoise(1025, 0.5, 37);
    StereoBuffer block(noise, noise);
    const std::vector<double> before(splitter.lowWork.left, splitter.lowWork.left + 1024);
    splitter.Process(block.In(), block.In(), 1025);
    EXPECT_EQ(std::vector<double>(splitter.lowWork.left, splitter.lowWork.left + 1024), before);
}

TEST(BandSplitFilter, NonFiniteSplitsAreIgnored)
{
    BandSplitFilter splitter;
    splitter.SetHighSplit(std::numeric_limits<double>::quiet_NaN());
    splitter.SetLowSplit(std::numeric_limits<double>::infinity());
    EXPECT_NEAR(splitter.GetLowSplit(), 200.0, 1e-9);
    EXPECT_NEAR(splitter.GetHighSplit(), 200.0, 1e-9);
}

namespace
{
// A 200 Hz tone through one side of the splitter in blocks of 64, its slope changed from `from`
// to `to` at `changeFrame` (a multiple of 64); the side's band, frame by frame.
std::vector<double> SlopeChangeBand(bool lowSide, uint32_t from, uint32_t to, double hz, double rate, int changeFrame,
                                    int frames)
{
    constexpr int kBlock = 64;
    BandSplitFilter splitter;
    splitter.Prepare(rate, BandSplitFilter::kInitialFrames);
    (lowSide ? splitter.lowSlope : splitter.highSlope) = from;
    splitter.Reset();
    std::vector<double> band;
    for (int start = 0; start < frames; start += kBlock)
    {
        if (start == changeFrame)
            (lowSide ? splitter.lowSlope : splitter.highSlope) = to;
        std::vector<double> tone(kBlock);
        for (int i = 0; i < kBlock; ++i)
            tone[i] = std::sin(2.0 * 3.141592653589793 * hz * (start + i) / rate);
        StereoBuffer signal(tone, tone);
        splitter.Process(signal.In(), signal.In(), kBlock);
        const double* out = lowSide ? splitter.lowWork.left : splitter.highWork.left;
        band.insert(band.end(), out, out + kBlock);
    }
    return band;
}

double LargestStep(const std::vector<double>& band, int from, int to)
{
    double largest = 0.0;
    for (int i = from + 1; i < to; ++i)
        largest = std::max(largest, std::fabs(band[i] - band[i - 1]));
    return largest;
}
} // namespace

// The design a new slope chooses has not run on the recent signal; switched to at once it
// would start from its old memory with a jump.
TEST(BandSplitFilter, SlopeChangeCrossfadesWithoutAStep)
{
    struct Case { const char* name; bool lowSide; uint32_t from; uint32_t to; double hz; };
    const Case cases[] = {
        {"low pass, order 2 to 8", true, 1, 3, 100.0},
        {"high pass, order 8 to 1", false, 3, 0, 200.0},
        {"high pass, order 2 to unfiltered", false, 1, 4, 150.0},
    };
    constexpr int kChange = 4096;
    constexpr int kEnd = 2 * kChange;
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.name);
        const std::vector<double> band = SlopeChangeBand(c.lowSide, c.from, c.to, c.hz, kRate, kChange, kEnd);
        const double settled = std::max(LargestStep(band, kChange - 1024, kChange), LargestStep(band, kEnd - 1024, kEnd));
        // Two designs of different phase crossfaded step a little further than either; a
        // switch at once stepped by several times as much.
        EXPECT_LT(LargestStep(band, kChange - 1, kEnd), 1.25 * settled);
    }
}

// A design started afresh rises to the signal over its group delay; crossfaded to before it
// had, the band fell to a fraction of its level. At the split both slopes pass -3 dB, 45 degrees
// apart, so the crossfade between them costs under 2 dB.
TEST(BandSplitFilter, SlopeChangeKeepsTheBandsLevel)
{
    struct Case { bool lowSide; uint32_t from; uint32_t to; double rate; };
    const Case cases[] = {
        {true, 0, 3, 44100.0},
        {true, 0, 3, 96000.0},
        {true, 3, 0, 96000.0},
        {false, 0, 3, 96000.0},
    };
    constexpr double kSplitHz = 200.0;
    const double atSplit = std::sqrt(0.5);
    for (const Case& c : cases)
    {
        SCOPED_TRACE(testing::Message() << (c.lowSide ? "low" : "high") << " side, slope " << c.from << " to " << c.to
                                        << " at " << c.rate << " Hz");
        const int change = 64 * static_cast<int>(c.rate / 64.0 / 4.0);
        const int end = 2 * change;
        const std::vector<double> band = SlopeChangeBand(c.lowSide, c.from, c.to, kSplitHz, c.rate, change, end);
        const int period = static_cast<int>(c.rate / kSplitHz);
        for (int start = change; start + period <= end; start += period / 4)
        {
            double peak = 0.0;
            for (int i = start; i < start + period; ++i)
                peak = std::max(peak, std::fabs(band[i]));
            ASSERT_GT(peak, 0.8 * atSplit) << "period from frame " << start;
        }
    }
}
