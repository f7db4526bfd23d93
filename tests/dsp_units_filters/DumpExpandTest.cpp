#include "dsp/filters/Filter.h"
#include "dsp/units/filters/DesignParams.h"
#include "dsp/units/filters/DumpExpand.h"
#include "tests/dsp_units_filters/ImpulseResponse.h"
#include "tests/support/StereoBuffer.h"
#include "tests/support/TestSignals.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

using Wezmark::DumpExpand;

namespace
{

double Cutoff(const Dsp::Filter& design)
{
    return DesignParams::Get(design, Dsp::kFrequencyId, 0.0);
}

} // namespace

TEST(DumpExpand, AmountMovesOneCutoffAndIsClampedAtLowRates)
{
    const double halfway = 10.0 * std::sqrt(2204.0);
    struct Case { double rate; double amount; double stored; double lowPass; double highPass; double shown; };
    const Case cases[] = {
        {44100.0, 0.5, 0.5, 21000.0, 20.0, 20.0},
        {44100.0, 0.25, 0.25, halfway, 20.0, halfway},
        {44100.0, 0.75, 0.75, 21000.0, halfway, halfway},
        {44100.0, 0.0, 0.0, 20.0, 20.0, 20.0},
        {44100.0, 1.3, 1.0, 21000.0, 21000.0, 21000.0},
        {44100.0, -0.2, 0.0, 20.0, 20.0, 20.0},
        {22050.0, 0.5, 0.5, 21000.0, 20.0, 20.0},
        {96000.0, 0.5, 0.5, 22040.0, 10.0, 10.0},
        {192000.0, 0.0, 0.0, 10.0, 10.0, 10.0},
    };
    for (const Case& c : cases)
    {
        DumpExpand sweep;
        sweep.Prepare(c.rate, DumpExpand::kInitialFrames);
        sweep.SetAmount(c.amount);
        EXPECT_EQ(sweep.amount, c.stored);
        for (const Dsp::Filter* lowPass : {sweep.lowPass2.get(), sweep.lowPass4.get()})
            EXPECT_NEAR(Cutoff(*lowPass), c.lowPass, 1e-9) << c.rate << ", " << c.amount;
        for (const Dsp::Filter* highPass : {sweep.highPass2.get(), sweep.highPass4.get()})
            EXPECT_NEAR(Cutoff(*highPass), c.highPass, 1e-9) << c.rate << ", " << c.amount;
        for (uint32_t slope : {0u, 1u})
        {
            sweep.slope = slope;
            EXPECT_NEAR(sweep.GetAmount(), c.shown, 1e-9) << c.rate << ", " << c.amount;
        }
    }
}

TEST(DumpExpand, RateDropReappliesTheClamp)
{
    DumpExpand sweep;
    sweep.Prepare(96000.0, DumpExpand::kInitialFrames);
    sweep.SetAmount(0.5);
    EXPECT_EQ(Cutoff(*sweep.lowPass2), 22040.0);
    sweep.Prepare(44100.0, DumpExpand::kInitialFrames);
    EXPECT_EQ(Cutoff(*sweep.lowPass2), 21000.0);
    EXPECT_EQ(Cutoff(*sweep.highPass4), 20.0);
    EXPECT_EQ(DesignParams::Get(*sweep.highPass4, Dsp::kSampleRateId, 0.0), 44100.0);
}

TEST(DumpExpand, NonFiniteAmountIsIgnored)
{
    DumpExpand sweep;
    sweep.SetAmount(0.25);
    sweep.SetAmount(std::numeric_limits<double>::quiet_NaN());
    EXPECT_EQ(sweep.amount, 0.25);
}

TEST(DumpExpand, SlopeChoosesTheOrder)
{
    // At amount 0.25 the low pass sits near 469 Hz; four octaves up the Chebyshev curve
    // (0.01 dB ripple) of order 2 is down to about 0.04, that of order 4 to about 4e-5.
    struct Case { uint32_t slope; double minimum; double maximum; };
    const Case cases[] = {{0, 0.02, 0.08}, {1, 0.0, 1e-3}};
    for (const Case& c : cases)
    {
        DumpExpand sweep;
        sweep.slope = c.slope;
        sweep.SetAmount(0.25);
        const StereoProcess process = [&sweep](double* const* io, int n) { sweep.Process(io, n); };
        Settle(process, 1024);
        const double magnitude = MagnitudeAt(ImpulseResponse(process, 1 << 14), 7500.0, 44100.0);
        EXPECT_LT(magnitude, c.maximum) << c.slope;
        EXPECT_GT(magnitude, c.minimum) << c.slope;
    }
}

TEST(DumpExpand, LongBlockPassesUnchanged)
{
    DumpExpand sweep;
    sweep.SetAmount(0.1);
    const std::vector<double> noise = WhiteNoise(1025, 0.5, 41);
    StereoBuffer block(noise, noise);
    sweep.Process(block.Io(), 1025);
    EXPECT_EQ(block.left, noise);
    sweep.Prepare(44100.0, 1025);
    sweep.Process(block.Io(), 1025);
    EXPECT_NE(block.left, noise);
}

TEST(DumpExpand, BypassedAndFadedOutPassesUnchanged)
{
    DumpExpand sweep;
    sweep.SetAmount(0.1);
    sweep.SetBypass(true);
    StereoBuffer fading(WhiteNoise(500, 0.5, 43), WhiteNoise(500, 0.5, 44));
    sweep.Process(fading.Io(), 500);
    EXPECT_EQ(sweep.fade, 0.0);
    const std::vector<double> noise = WhiteNoise(256, 0.5, 45);
    StereoBuffer block(noise, noise);
    sweep.Process(block.Io(), 256);
    EXPECT_EQ(block.left, noise);
}

TEST(DumpExpand, FreshUnitStartsOnItsOwnCutoffsWithoutABurst)
{
    struct Case { double rate; uint32_t slope; };
    const Case cases[] = {{44100.0, 0}, {44100.0, 1}, {48000.0, 1}, {96000.0, 1}};
    for (const Case& c : cases)
    {
        DumpExpand sweep;
        sweep.Prepare(c.rate, DumpExpand::kInitialFrames);
        sweep.Reset();
        sweep.slope = c.slope;
        double peak = 0.0;
        for (uint32_t block = 0; block < 8; ++block)
        {
            StereoBuffer noise(WhiteNoise(512, 0.5, 90 + block), WhiteNoise(512, 0.5, 190 + block));
            sweep.Process(noise.Io(), 512);
            for (double sample : noise.left)
                peak = std::max(peak, std::fabs(sample));
        }
        EXPECT_LT(peak, 1.0) << c.rate << " Hz, slope " << c.slope;
    }
}
