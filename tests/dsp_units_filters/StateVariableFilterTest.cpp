#include "dsp/units/filters/StateVariableFilter.h"
#include "tests/dsp_units_filters/ImpulseResponse.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

using Wezmark::StateVariableFilter;

namespace
{

using LowPass = StateVariableFilter<0, 2>;
using HighPass = StateVariableFilter<1, 2>;
using BandPass = StateVariableFilter<2, 2>;
using BandStop = StateVariableFilter<3, 2>;

constexpr double kButterworthQ = 0.7071067811865476;
constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kInfinity = std::numeric_limits<double>::infinity();

template <typename Filter>
double Magnitude(Filter& filter, double hz, double rate)
{
    return MagnitudeAt(ImpulseResponse([&](double* const* io, int n) { filter.ProcessBlock(io, n); }, 1 << 15), hz, rate);
}

} // namespace

TEST(StateVariableFilter, CutoffIsClampedToAudibleRangeAndSampleRate)
{
    struct Case { double rate; double hz; double expected; };
    const Case cases[] = {
        {44100.0, 25000.0, 20000.0}, {22050.0, 25000.0, 10804.5}, {44100.0, 5.0, 20.0},
        {44100.0, 1234.5, 1234.5}, {8000.0, 5000.0, 3920.0},
    };
    for (const Case& c : cases)
    {
        LowPass filter;
        filter.SetSampleRate(c.rate);
        filter.SetCutoff(c.hz);
        EXPECT_DOUBLE_EQ(filter.GetCutoff(), c.expected) << c.rate << " Hz, " << c.hz;
        EXPECT_DOUBLE_EQ(filter.GetNormalisedCutoff(), c.expected / c.rate);
    }
}

TEST(StateVariableFilter, RateDropLowersCutoffAndRateRiseRestoresIt)
{
    LowPass filter;
    filter.SetCutoff(15000.0);
    filter.SetSampleRate(22050.0);
    EXPECT_DOUBLE_EQ(filter.GetCutoff(), 10804.5);
    filter.SetSampleRate(44100.0);
    EXPECT_DOUBLE_EQ(filter.GetCutoff(), 15000.0);
}

TEST(StateVariableFilter, ResonanceMapsToQ)
{
    struct Case { double r; double lowPassQ; double bandStopQ; };
    const Case cases[] = {
        {0.0, kButterworthQ, 0.3},
        {1.0, 20.0, 20.0},
        {7.0, 20.0, 20.0},
        {-1.0, kButterworthQ, 0.3},
        {0.5, kButterworthQ + (20.0 - kButterworthQ) / 4.0, 0.3 + (20.0 - 0.3) / 4.0},
    };
    for (const Case& c : cases)
    {
        LowPass lowPass;
        BandStop bandStop;
        lowPass.SetResonance(c.r);
        bandStop.SetResonance(c.r);
        EXPECT_DOUBLE_EQ(lowPass.GetQ(), c.lowPassQ) << c.r;
        EXPECT_DOUBLE_EQ(bandStop.GetQ(), c.bandStopQ) << c.r;
    }
}

TEST(StateVariableFilter, NonFiniteSettingsAreIgnored)
{
    const double values[] = {kNaN, kInfinity, -kInfinity};
    for (double value : values)
    {
        LowPass filter;
        filter.SetCutoff(3000.0);
        filter.SetResonance(0.5);
        filter.SetCutoff(value);
        filter.SetResonance(value);
        filter.SetSampleRate(value);
        EXPECT_DOUBLE_EQ(filter.GetCutoff(), 3000.0) << value;
        EXPECT_DOUBLE_EQ(filter.GetSampleRate(), 44100.0) << value;
        EXPECT_DOUBLE_EQ(filter.GetQ(), kButterworthQ + (20.0 - kButterworthQ) / 4.0) << value;
        EXPECT_TRUE(std::isfinite(filter.ProcessSample(0.5, value, value))) << value;
    }
}

TEST(StateVariableFilter, ResetRecoversFromNonFiniteInput)
{
    LowPass filter;
    double left[4] = {kNaN, 0.0, 0.0, 0.0};
    double right[4] = {0.0, 0.0, 0.0, 0.0};
    double* io[2] = {left, right};
    filter.ProcessBlock(io, 4);
    ASSERT_TRUE(std::isnan(left[3]));
    filter.Reset();
    left[0] = 1.0;
    left[1] = left[2] = left[3] = 0.0;
    filter.ProcessBlock(io, 4);
    for (double sample : left)
        EXPECT_TRUE(std::isfinite(sample));
}

TEST(StateVariableFilter, ResponsesAtFixedFrequencies)
{
    // 1 kHz cutoff at 44.1 kHz with the lowest resonance.
    struct Case { const char* type; double hz; double expected; double tolerance; };
    const Case cases[] = {
        {"low pass", 20.0, 1.0, 1e-3}, {"low pass", 1000.0, kButterworthQ, 1e-3}, {"low pass", 10000.0, 0.0068, 1e-3},
        {"high pass", 100.0, 0.01, 1e-3}, {"high pass", 1000.0, kButterworthQ, 1e-3}, {"high pass", 10000.0, 1.0, 1e-3},
        {"band pass", 100.0, 0.1412, 1e-3}, {"band pass", 1000.0, 1.0, 1e-3}, {"band pass", 10000.0, 0.1168, 1e-3},
        {"band stop", 20.0, 0.9978, 1e-3}, {"band stop", 1000.0, 0.0, 1e-3}, {"band stop", 10000.0, 0.9636, 1e-3},
    };
    const double rate = 44100.0;
    for (const Case& c : cases)
    {
        const std::string type = c.type;
        double magnitude = 0.0;
        if (type == "low pass") { LowPass f; f.SetCutoff(1000.0); magnitude = Magnitude(f, c.hz, rate); }
        if (type == "high pass") { HighPass f; f.SetCutoff(1000.0); magnitude = Magnitude(f, c.hz, rate); }
        if (type == "band pass") { BandPass f; f.SetCutoff(1000.0); magnitude = Magnitude(f, c.hz, rate); }
        if (type == "band stop") { BandStop f; f.SetCutoff(1000.0); magnitude = Magnitude(f, c.hz, rate); }
        EXPECT_NEAR(magnitude, c.expected, c.tolerance) << c.type << " at " << c.hz << " Hz";
    }
}

TEST(StateVariableFilter, ResonancePeaksLowPassAtCutoff)
{
    LowPass filter;
    filter.SetCutoff(1000.0);
    filter.SetResonance(1.0);
    EXPECT_NEAR(Magnitude(filter, 1000.0, 44100.0), 20.0, 0.05);
}

TEST(StateVariableFilter, ProcessSampleTunesAndAdvancesOnlyChannelZero)
{
    struct Case { double rate; double cutoff01; double expectedHz; };
    const Case cases[] = {{44100.0, 0.0, 20.0}, {44100.0, 1.0, 20000.0}, {22050.0, 1.0, 10804.5}, {44100.0, 0.5, 5015.0}};
    for (const Case& c : cases)
    {
        LowPass probed;
        LowPass untouched;
        probed.SetSampleRate(c.rate);
        untouched.SetSampleRate(c.rate);
        probed.ProcessSample(1.0, c.cutoff01, 0.0);
        EXPECT_DOUBLE_EQ(probed.GetCutoff(), c.expectedHz) << c.cutoff01;
        untouched.SetCutoff(c.expectedHz);

        double probedLeft[1] = {0.5}, probedRight[1] = {0.5};
        double untouchedLeft[1] = {0.5}, untouchedRight[1] = {0.5};
        double* probedIo[2] = {probedLeft, probedRight};
        double* untouchedIo[2] = {untouchedLeft, untouchedRight};
        probed.ProcessBlock(probedIo, 1);
        untouched.ProcessBlock(untouchedIo, 1);
        EXPECT_DOUBLE_EQ(probedRight[0], untouchedRight[0]);
        EXPECT_NE(probedLeft[0], untouchedLeft[0]);
    }
}

TEST(StateVariableFilter, EmptyBlockChangesNoMemory)
{
    LowPass filter;
    LowPass reference;
    double none[1] = {0.0};
    double* empty[2] = {none, none};
    filter.ProcessBlock(empty, 0);

    double left[2] = {1.0, 0.0}, right[2] = {1.0, 0.0};
    double referenceLeft[2] = {1.0, 0.0}, referenceRight[2] = {1.0, 0.0};
    double* io[2] = {left, right};
    double* referenceIo[2] = {referenceLeft, referenceRight};
    filter.ProcessBlock(io, 2);
    reference.ProcessBlock(referenceIo, 2);
    EXPECT_EQ(left[1], referenceLeft[1]);
    EXPECT_EQ(right[1], referenceRight[1]);
}
