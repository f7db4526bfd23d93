#include "dsp/filters/Filter.h"
#include "dsp/units/filters/DesignParams.h"
#include "dsp/units/filters/Eq4Band.h"
#include "tests/dsp_units_filters/ImpulseResponse.h"
#include "tests/support/Decibels.h"
#include "tests/support/StereoBuffer.h"
#include "tests/support/TestSignals.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <vector>

using Wezmark::Eq4Band;

namespace
{

constexpr double kRate = 44100.0;

StereoProcess ProcessOf(Eq4Band& eq)
{
    return [&eq](double* const* io, int n) { eq.Process(io, n); };
}

} // namespace

TEST(Eq4Band, FlatGainsPassTheSignal)
{
    Eq4Band eq;
    eq.Prepare(kRate, Eq4Band::kInitialFrames);
    eq.SetBassGain(0.5);
    eq.SetLowMidGain(0.5);
    eq.SetHighMidGain(0.5);
    eq.SetHighGain(0.5);
    Settle(ProcessOf(eq), 1024);
    const std::vector<double> noise = WhiteNoise(1024, 0.5, 21);
    StereoBuffer block(noise, noise);
    eq.Process(block.Io(), 1024);
    for (size_t i = 0; i < noise.size(); ++i)
    {
        // Only the filters' alternating denormal guard remains.
        EXPECT_NEAR(block.left[i], noise[i], 1e-7) << i;
        EXPECT_NEAR(block.right[i], noise[i], 1e-7) << i;
    }
}

TEST(Eq4Band, EachBandBoostsItsOwnRegion)
{
    struct Case { const char* band; void (Eq4Band::*set)(double); double boostedHz; double untouchedHz; };
    const Case cases[] = {
        {"bass", &Eq4Band::SetBassGain, 0.0, kRate / 2.0},
        {"low mid", &Eq4Band::SetLowMidGain, 350.0, kRate / 2.0},
        {"high mid", &Eq4Band::SetHighMidGain, 1600.0, 0.0},
        {"high", &Eq4Band::SetHighGain, kRate / 2.0, 0.0},
    };
    for (const Case& c : cases)
    {
        Eq4Band eq;
        eq.Prepare(kRate, Eq4Band::kInitialFrames);
        for (auto set : {&Eq4Band::SetBassGain, &Eq4Band::SetLowMidGain, &Eq4Band::SetHighMidGain, &Eq4Band::SetHighGain})
            (eq.*set)(0.5);
        (eq.*c.set)(1.0);
        Settle(ProcessOf(eq), 1024);
        const std::vector<double> impulse = ImpulseResponse(ProcessOf(eq), 1 << 15);
        // The band shelves peak close to, not exactly at, their centre frequency.
        EXPECT_NEAR(MagnitudeAt(impulse, c.boostedHz, kRate), GainOfDecibels(24.0), 0.3) << c.band;
        EXPECT_NEAR(MagnitudeAt(impulse, c.untouchedHz, kRate), 1.0, 2e-3) << c.band;
    }
}

TEST(Eq4Band, GainsReadBackInDecibels)
{
    struct Case { double v; double db; };
    const Case cases[] = {{0.0, -24.0}, {0.5, 0.0}, {1.0, 24.0}, {0.75, 12.0}, {1.5, 24.0}, {-1.0, -24.0}};
    for (const Case& c : cases)
    {
        Eq4Band eq;
        eq.SetBassGain(c.v);
        eq.SetLowMidGain(c.v);
        eq.SetHighMidGain(c.v);
        eq.SetHighGain(c.v);
        EXPECT_DOUBLE_EQ(eq.GetBassGain(), c.db) << c.v;
        EXPECT_DOUBLE_EQ(eq.GetLowMidGain(), c.db) << c.v;
        EXPECT_DOUBLE_EQ(eq.GetHighMidGain(), c.db) << c.v;
        EXPECT_DOUBLE_EQ(eq.GetHighGain(), c.db) << c.v;
        EXPECT_DOUBLE_EQ(DesignParams::Get(*eq.designs[Eq4Band::kBass], Dsp::kGainId, 0.0), c.db) << c.v;
    }
}

TEST(Eq4Band, FreshDesignsStartOnTheirBandsWithoutGlide)
{
    Eq4Band eq;
    eq.Prepare(48000.0, Eq4Band::kInitialFrames);
    struct Case { Eq4Band::Band band; double hz; double width; };
    const Case cases[] = {
        {Eq4Band::kBass, 150.0, 0.0}, {Eq4Band::kLowMid, 350.0, 300.0},
        {Eq4Band::kHighMid, 1600.0, 1000.0}, {Eq4Band::kHigh, 4000.0, 0.0},
    };
    for (const Case& c : cases)
    {
        const Dsp::Filter& design = *eq.designs[c.band];
        EXPECT_EQ(DesignParams::Get(design, Dsp::kFrequencyId, 0.0), c.hz);
        EXPECT_EQ(DesignParams::Get(design, Dsp::kBandwidthHzId, 0.0), c.width);
        EXPECT_EQ(DesignParams::Get(design, Dsp::kOrderId, 0.0), 2.0);
        EXPECT_EQ(DesignParams::Get(design, Dsp::kSampleRateId, 0.0), 48000.0);
    }
}

TEST(Eq4Band, LongBlockPassesAndKeepsTheFade)
{
    Eq4Band eq;
    eq.SetBassGain(1.0);
    eq.SetBypass(true);
    const std::vector<double> noise = WhiteNoise(1025, 0.5, 23);
    StereoBuffer block(noise, noise);
    eq.Process(block.Io(), 1025);
    EXPECT_EQ(block.left, noise);
    EXPECT_EQ(eq.fade, 0.998);
}

TEST(Eq4Band, SwitchingOffCrossfadesToTheDrySignal)
{
    Eq4Band eq;
    eq.Prepare(kRate, Eq4Band::kInitialFrames);
    eq.SetBassGain(1.0);
    Settle(ProcessOf(eq), 1024);
    Eq4Band twin;
    twin.Prepare(kRate, Eq4Band::kInitialFrames);
    twin.SetBassGain(1.0);
    Settle(ProcessOf(twin), 1024);

    eq.SetBypass(true);
    const std::vector<double> noise = WhiteNoise(600, 0.5, 29);
    StereoBuffer faded(noise, noise);
    StereoBuffer processed(noise, noise);
    eq.Process(faded.Io(), 600);
    twin.Process(processed.Io(), 600);
    for (int i = 0; i < 600; ++i)
    {
        const double g = std::max(0.998 - 0.002 * i, 0.0);
        EXPECT_NEAR(faded.left[i], (1.0 - g) * noise[i] + g * processed.left[i], 1e-9) << i;
    }
    StereoBuffer after(noise, noise);
    eq.Process(after.Io(), 600);
    EXPECT_EQ(after.left, noise);
}

// Flat bands at the front sit out; one that comes back in, to glide to a new gain or because a
// band before it left 0 dB, must continue as if it had run all along. The reference runs every
// band on every block.
TEST(Eq4Band, BandsThatSatOutComeBackAsIfTheyHadRunAllAlong)
{
    constexpr int kBlock = 512;
    constexpr int kBlocks = 24;
    struct Change { int block; void (Eq4Band::*set)(double); double value; };
    struct Case { const char* name; std::vector<Change> changes; };
    const Case cases[] = {
        {"bass leaves 0 dB", {{10, &Eq4Band::SetBassGain, 1.0}}},
        {"low mid leaves 0 dB behind a flat bass", {{10, &Eq4Band::SetLowMidGain, 0.2}}},
        {"bass back to flat, then out again",
         {{0, &Eq4Band::SetHighGain, 0.8}, {0, &Eq4Band::SetBassGain, 0.9}, {5, &Eq4Band::SetBassGain, 0.5},
          {12, &Eq4Band::SetBassGain, 0.1}}},
        {"a change in the first block", {{1, &Eq4Band::SetHighMidGain, 0.0}}},
    };
    std::vector<double> signal = WhiteNoise(kBlock * kBlocks, 0.3, 5);
    for (size_t i = 0; i < signal.size(); ++i)
        signal[i] += 0.5 * std::sin(0.01 * static_cast<double>(i));
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.name);
        Eq4Band eq;
        Eq4Band reference;
        for (Eq4Band* unit : {&eq, &reference})
            unit->Prepare(kRate, Eq4Band::kInitialFrames);
        double worst = 0.0;
        for (int b = 0; b < kBlocks; ++b)
        {
            for (const Change& change : c.changes)
                if (change.block == b)
                    for (Eq4Band* unit : {&eq, &reference})
                        (unit->*change.set)(change.value);
            const std::vector<double> part(signal.begin() + b * kBlock, signal.begin() + (b + 1) * kBlock);
            StereoBuffer skipping(part, part);
            StereoBuffer running(part, part);
            eq.Process(skipping.Io(), kBlock);
            for (const auto& design : reference.designs)
                design->ProcessDouble(kBlock, running.Io());
            for (int i = 0; i < kBlock; ++i)
                worst = std::max({worst, std::fabs(skipping.left[i] - running.left[i]),
                                  std::fabs(skipping.right[i] - running.right[i])});
        }
        // The skipped bands' alternating denormal guards, and rounding.
        EXPECT_LT(worst, 1e-7);
    }
}
