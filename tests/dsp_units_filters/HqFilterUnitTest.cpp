#include "dsp/filters/Filter.h"
#include "dsp/units/filters/DesignParams.h"
#include "dsp/units/filters/HqFilterUnit.h"
#include "tests/dsp_units_filters/ImpulseResponse.h"
#include "tests/support/StereoBuffer.h"
#include "tests/support/TestSignals.h"

#include <gtest/gtest.h>

using Wezmark::HqFilterUnit;

namespace
{

constexpr double kRate = 44100.0;

StereoProcess ProcessOf(HqFilterUnit& unit)
{
    return [&unit](double* const* io, int n) { unit.Process(io, n); };
}

} // namespace

// Switched off, the filter fades out over the unit's bypass fade, then leaves the signal alone.
TEST(HqFilterUnit, ModeOffFadesOutThenLeavesEveryBlockExactly)
{
    HqFilterUnit unit;
    unit.Prepare(kRate, HqFilterUnit::kInitialFrames);
    unit.SetMode(1);
    Settle(ProcessOf(unit), 512);
    unit.SetMode(0);
    EXPECT_GT(unit.fade, 0.0);
    Settle(ProcessOf(unit), 512);
    EXPECT_EQ(unit.fade, 0.0);
    const std::vector<double> noise = WhiteNoise(512, 0.5, 51);
    StereoBuffer block(noise, noise);
    unit.Process(block.Io(), 512);
    EXPECT_EQ(block.left, noise);
    EXPECT_EQ(block.right, noise);
}

TEST(HqFilterUnit, ModesSetTheBandEdges)
{
    struct Case { uint32_t mode; double lowPassHz; double highPassHz; };
    // Other modes keep the edges the filters had; a fresh unit has those of mode 1.
    const Case cases[] = {{0, 20000.0, 20.0}, {1, 20000.0, 20.0}, {2, 20000.0, 40.0}, {3, 20000.0, 20.0}};
    for (const Case& c : cases)
    {
        HqFilterUnit unit;
        unit.SetMode(c.mode);
        EXPECT_EQ(unit.mode, c.mode);
        EXPECT_EQ(DesignParams::Get(*unit.lowPass, Dsp::kFrequencyId, 0.0), c.lowPassHz) << c.mode;
        EXPECT_EQ(DesignParams::Get(*unit.highPass, Dsp::kFrequencyId, 0.0), c.highPassHz) << c.mode;
        EXPECT_EQ(DesignParams::Get(*unit.lowPass, Dsp::kOrderId, 0.0), 4.0);
        EXPECT_EQ(DesignParams::Get(*unit.highPass, Dsp::kOrderId, 0.0), 4.0);
    }
}

TEST(HqFilterUnit, BandModesAttenuateOutsideTheBand)
{
    // Fourth-order Bessel edges: gentle near the edge, -3 dB about an octave outside it.
    struct Case { uint32_t mode; double hz; double minimum; double maximum; };
    const Case cases[] = {
        {1, 1000.0, 0.999, 1.001}, {2, 1000.0, 0.999, 1.001},
        {1, 20.0, 0.92, 0.94}, {2, 40.0, 0.92, 0.94}, {1, 20000.0, 0.92, 0.94}, {2, 20000.0, 0.92, 0.94},
        {1, 5.0, 0.24, 0.26}, {2, 10.0, 0.24, 0.26}, {2, 5.0, 0.0, 0.03},
        {1, 2.0, 0.0, 0.011}, {1, 22000.0, 0.0, 1e-4},
    };
    for (const Case& c : cases)
    {
        HqFilterUnit unit;
        unit.Prepare(kRate, HqFilterUnit::kInitialFrames);
        unit.SetMode(c.mode);
        Settle(ProcessOf(unit), 1024);
        const double magnitude = MagnitudeAt(ImpulseResponse(ProcessOf(unit), 1 << 16), c.hz, kRate);
        EXPECT_GE(magnitude, c.minimum) << c.mode << " at " << c.hz;
        EXPECT_LE(magnitude, c.maximum) << c.mode << " at " << c.hz;
    }
}

TEST(HqFilterUnit, LongBlockPassesUnfiltered)
{
    HqFilterUnit unit;
    unit.SetMode(1);
    const std::vector<double> noise = WhiteNoise(1025, 0.5, 53);
    StereoBuffer block(noise, noise);
    unit.Process(block.Io(), 1025);
    EXPECT_EQ(block.left, noise);
}
