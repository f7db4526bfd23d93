#include "dsp/units/files/Resampler.h"
#include "dsp/units/files/ResamplerFilter.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

TEST(Resampler, HalvingWithZeroFillCountsOnlyRealOutputs)
{
    Resampler resampler;
    resampler.Reset();
    resampler.SetRates(4096, 2048);
    const Resampler::InputRoom room = resampler.Prepare(2052);
    ASSERT_EQ(room.count, 4108);
    for (int i = 0; i < 4096; ++i)
        room.data[i] = 0.5;
    std::vector<double> out(2052, -9.0);
    EXPECT_EQ(resampler.ResampleOut(out.data(), 4096, 2052), 2048);
    // The low-pass settles on the level of a constant input.
    EXPECT_NEAR(out[1500], 0.5, 1e-9);
}

TEST(Resampler, RatioOneCopiesTheInput)
{
    Resampler resampler;
    resampler.Reset();
    resampler.SetRates(2048, 2048);
    const Resampler::InputRoom room = resampler.Prepare(2052);
    ASSERT_EQ(room.count, 2056);
    for (int i = 0; i < 2048; ++i)
        room.data[i] = std::sin(i * 0.01);
    std::vector<double> out(2052, 0.0);
    EXPECT_EQ(resampler.ResampleOut(out.data(), 2048, 2052), 2048);
    for (int i = 0; i < 2048; i += 101)
        EXPECT_EQ(out[i], std::sin(i * 0.01)) << i;
}

TEST(Resampler, DoublingInterpolatesBetweenInputs)
{
    Resampler resampler;
    resampler.Reset();
    resampler.SetRates(1024, 2048);
    const Resampler::InputRoom room = resampler.Prepare(2052);
    ASSERT_EQ(room.count, 1030);
    for (int i = 0; i < 1024; ++i)
        room.data[i] = 0.25;
    std::vector<double> out(2052, 0.0);
    EXPECT_EQ(resampler.ResampleOut(out.data(), 1024, 2052), 2048);
    EXPECT_NEAR(out[1000], 0.25, 1e-9);
}

TEST(Resampler, RatesBelowOneCountAsOne)
{
    Resampler resampler;
    resampler.Reset();
    resampler.SetRates(0.0, -5.0);
    EXPECT_EQ(resampler.Prepare(10).count, 14);
    resampler.Reset();
    resampler.SetRates(std::nan(""), 2.0);
    EXPECT_EQ(resampler.Prepare(10).count, 9);
}

TEST(Resampler, FilterKeepsItsDesignForNearbyPositionsAndFlushesSubnormals)
{
    const double impulse[4] = {1.0, 0.0, 0.0, 0.0};
    double first[4];
    double second[4];
    ResamplerFilter filter;
    filter.BuildLowPass(0.3, 0.707);
    filter.Apply(impulse, first, 4, 0);
    filter.BuildLowPass(0.3 + 5e-7, 0.707);
    filter.Apply(impulse, second, 4, 1);
    for (int i = 0; i < 4; ++i)
        EXPECT_EQ(first[i], second[i]) << i;

    const double tiny[2] = {1e-310, 0.0};
    double out[2];
    filter.Apply(tiny, out, 2, 2);
    EXPECT_EQ(out[0], 0.0);
    EXPECT_EQ(out[1], 0.0);
}
