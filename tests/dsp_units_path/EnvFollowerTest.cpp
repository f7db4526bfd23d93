#include "dsp/units/path/EnvFollower.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace
{

using Wezmark::EnvFollower;

double EnvelopeAfterOneFrame(double left, double right, double& rightEnvelope)
{
    EnvFollower follower;
    const double* in[2] = {&left, &right};
    follower.Process(in, 1);
    rightEnvelope = follower.envelopeRight;
    return follower.envelopeLeft;
}

TEST(EnvFollower, InputMagnitudeIsClampedToOneAndNonFiniteCountsAsSilence)
{
    const double c = std::exp(-1.0 / (44100.0 * 0.3));
    struct Case
    {
        double x;
        double level;
    };
    const double inf = std::numeric_limits<double>::infinity();
    for (const Case k : {Case{1.0, 1.0}, Case{3.0, 1.0}, Case{-2.0, 1.0}, Case{-0.5, 0.5}, Case{0.25, 0.25},
                         Case{std::nan(""), 0.0}, Case{inf, 0.0}, Case{-inf, 0.0}})
    {
        double right = 0.0;
        EXPECT_DOUBLE_EQ(EnvelopeAfterOneFrame(k.x, 0.0, right), (1.0 - c) * k.level) << k.x;
        EXPECT_EQ(right, 0.0);
    }
}

TEST(EnvFollower, ConstantFullScaleRisesAsOneMinusCToTheK)
{
    EnvFollower follower;
    const double c = follower.attackCoefficient;
    double left[100], right[100];
    std::fill(std::begin(left), std::end(left), 1.0);
    std::fill(std::begin(right), std::end(right), -1.0);
    const double* in[2] = {left, right};
    follower.Process(in, 100);
    EXPECT_NEAR(follower.envelopeLeft, 1.0 - std::pow(c, 100), 1e-12);
    EXPECT_EQ(follower.envelopeLeft, follower.envelopeRight);
}

TEST(EnvFollower, ReleaseUsesTheReleaseCoefficient)
{
    EnvFollower follower;
    follower.envelopeLeft = 0.8;
    double zero = 0.0;
    const double* in[2] = {&zero, &zero};
    follower.Process(in, 1);
    EXPECT_DOUBLE_EQ(follower.envelopeLeft, follower.releaseCoefficient * 0.8);
}

TEST(EnvFollower, SampleRateSetsBothCoefficientsAndKeepsTheEnvelopes)
{
    EnvFollower follower;
    follower.envelopeLeft = 0.4;
    follower.Prepare(48000.0, 1);
    EXPECT_EQ(follower.sampleRate, 48000.0);
    EXPECT_DOUBLE_EQ(follower.attackCoefficient, std::exp(-1.0 / 14400.0));
    EXPECT_DOUBLE_EQ(follower.releaseCoefficient, std::exp(-1.0 / 14400.0));
    EXPECT_EQ(follower.envelopeLeft, 0.4);
}

} // namespace
