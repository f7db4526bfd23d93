#include "dsp/units/filters/OutputLimiter.h"
#include "dsp/units/filters/SoftKneeCurve.h"
#include "dsp/units/TimeConstants.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <vector>

namespace
{

OutputLimiter Settled(uint32_t mode, double threshold)
{
    OutputLimiter limiter;
    limiter.mode = mode;
    limiter.threshold = threshold;
    limiter.smoothedThreshold = threshold;
    return limiter;
}

double Limit(OutputLimiter& limiter, double x)
{
    double left[1] = {x};
    double right[1] = {-x};
    double* const io[2] = {left, right};
    limiter.Process(io, io, 1);
    EXPECT_EQ(right[0], -left[0]);
    return left[0];
}

} // namespace

TEST(OutputLimiter, ModeOffLeavesSamplesAndState)
{
    OutputLimiter limiter;
    limiter.mode = OutputLimiter::kModeOff;
    limiter.threshold = 0.2;
    limiter.makeUpOn = true;
    limiter.makeUpGain = 3.0;
    EXPECT_EQ(Limit(limiter, 0.9), 0.9);
    EXPECT_EQ(limiter.smoothedThreshold, OutputLimiter::kDefaultThreshold);
}

TEST(OutputLimiter, CeilingAndKneePerMode)
{
    struct Case { uint32_t mode; double threshold; double input; double expected; double kneeStart; double kneeEnd; };
    const Case cases[] = {
        {3, 0.5, 1.0, 0.5005, 0.49, 0.51},
        {3, 0.5, 0.3, 0.3, 0.49, 0.51},
        {3, 0.5, 0.49, 0.49, 0.49, 0.51},
        {2, 0.5, 1.0, 0.52, 0.45, 0.55},
        {1, 0.5, 1.0, 0.6, 0.375, 0.625},
        {1, 0.1, 1.0, 0.28, 0.05, 0.15},
        {1, 0.1, 0.04, 0.04, 0.05, 0.15},
        // Inside the knee: m + (1/R - 1)(m - T + W/2)^2 / 2W.
        {1, 0.1, 0.1, 0.1 - 0.8 * 0.05 * 0.05 / 0.2, 0.05, 0.15},
    };
    for (const Case& c : cases)
    {
        OutputLimiter limiter = Settled(c.mode, c.threshold);
        EXPECT_NEAR(Limit(limiter, c.input), c.expected, 1e-12) << c.mode << ", " << c.input;
        EXPECT_NEAR(limiter.kneeStart, c.kneeStart, 1e-12);
        EXPECT_NEAR(limiter.kneeEnd, c.kneeEnd, 1e-12);
    }
}

TEST(OutputLimiter, MakeUpBringsFullScaleBackBelowOne)
{
    OutputLimiter limiter = Settled(OutputLimiter::kModeHard, 0.5);
    limiter.makeUpOn = true;
    limiter.makeUpGain = limiter.MakeUpGainForTarget();
    EXPECT_NEAR(limiter.makeUpGain, 1.0 / 0.5005, 1e-12);
    EXPECT_NEAR(Limit(limiter, 1.0), OutputLimiter::kMakeUpTrim, 1e-12);
}

// While the threshold glides the make-up follows the curve of each frame: a full-scale input
// stays at full scale through the glide instead of being made up for the target at once.
TEST(OutputLimiter, MakeUpFollowsTheGlidingThreshold)
{
    for (uint32_t mode : {1u, 2u, 3u})
    {
        SCOPED_TRACE(mode);
        OutputLimiter limiter = Settled(mode, 1.0);
        limiter.makeUpOn = true;
        limiter.threshold = 0.25;
        limiter.makeUpGain = limiter.MakeUpGainForTarget();
        constexpr int32_t kFrames = 20000;
        std::vector<double> left(kFrames, 1.0);
        std::vector<double> right(kFrames, -1.0);
        double* const io[2] = {left.data(), right.data()};
        limiter.Process(io, io, kFrames);
        for (int32_t i = 0; i < kFrames; ++i)
        {
            ASSERT_NEAR(left[i], OutputLimiter::kMakeUpTrim, 1e-12) << i;
            ASSERT_NEAR(right[i], -OutputLimiter::kMakeUpTrim, 1e-12) << i;
        }
        // Settled, the block is made up with the gain for the target as before.
        OutputLimiter settled = Settled(mode, 0.25);
        settled.makeUpOn = true;
        settled.makeUpGain = settled.MakeUpGainForTarget();
        EXPECT_NEAR(Limit(limiter, 0.5), Limit(settled, 0.5), 1e-12);
    }
}

TEST(OutputLimiter, MakeUpGainForTargetIgnoresTheGlideState)
{
    OutputLimiter gliding;
    gliding.mode = OutputLimiter::kModeMedium;
    gliding.threshold = 0.3;
    gliding.smoothedThreshold = 0.9;
    gliding.kneeStart = gliding.kneeEnd = 5.0;
    const OutputLimiter settled = Settled(OutputLimiter::kModeMedium, 0.3);
    EXPECT_DOUBLE_EQ(gliding.MakeUpGainForTarget(), settled.MakeUpGainForTarget());
    EXPECT_NEAR(gliding.MakeUpGainForTarget(), 1.0 / (0.7 / 25.0 + 0.3), 1e-12);
}

TEST(OutputLimiter, ThresholdGlidesAndTheCurveMovesWithIt)
{
    OutputLimiter limiter = Settled(OutputLimiter::kModeSoft, 0.7);
    limiter.threshold = 0.3;
    std::vector<double> samples(2000, 0.9);
    double* const io[2] = {samples.data(), samples.data()};
    limiter.Process(io, io, 2000);
    EXPECT_NEAR(limiter.smoothedThreshold, 0.3 + 0.4 * std::pow(TimeConstants::kLimiterThresholdKeep, 2000), 1e-12);
    EXPECT_NEAR(samples.front(), (0.9 - 0.6978) / 5.0 + 0.6978, 1e-3);
    for (size_t i = 1; i < samples.size(); ++i)
        EXPECT_LT(std::fabs(samples[i] - samples[i - 1]), 0.01) << i;
    EXPECT_NEAR(samples.back(), (0.9 - 0.3) / 5.0 + 0.3, 1e-5);
}

TEST(OutputLimiter, SharedChannelBufferIsLimitedOnce)
{
    OutputLimiter limiter = Settled(OutputLimiter::kModeHard, 0.5);
    double sample[1] = {1.0};
    double* const io[2] = {sample, sample};
    limiter.Process(io, io, 1);
    EXPECT_NEAR(sample[0], 0.5005, 1e-12);
}

// A program change switches mode and make-up while the units in front of the limiter still
// glide; switched at once, the louder setting would let their old signal through. The output
// of a steady loud input glides instead, and settles where the new setting puts it.
TEST(OutputLimiter, ModeAndMakeUpSwitchesGlide)
{
    struct Case { const char* name; uint32_t fromMode; bool fromMakeUp; uint32_t toMode; bool toMakeUp; };
    const Case cases[] = {
        {"hard to off", 3, false, 0, false},
        {"off to hard", 0, false, 3, false},
        {"soft to hard, made up", 1, true, 3, true},
        {"make-up on", 2, false, 2, true},
        {"make-up off", 2, true, 2, false},
        {"medium made up, to off", 2, true, 0, false},
    };
    constexpr double kInput = 0.9;
    constexpr int32_t kFrames = 40000;
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.name);
        const auto configure = [](OutputLimiter& limiter, uint32_t mode, bool makeUp) {
            limiter.mode = mode;
            limiter.makeUpOn = makeUp;
            if (makeUp)
                limiter.makeUpGain = limiter.MakeUpGainForTarget();
        };
        OutputLimiter limiter = Settled(c.fromMode, 0.5);
        configure(limiter, c.fromMode, c.fromMakeUp);
        const double before = Limit(limiter, kInput);
        OutputLimiter settled = Settled(c.toMode, 0.5);
        configure(settled, c.toMode, c.toMakeUp);
        const double after = Limit(settled, kInput);

        configure(limiter, c.toMode, c.toMakeUp);
        std::vector<double> left(kFrames, kInput);
        std::vector<double> right(kFrames, -kInput);
        double* const io[2] = {left.data(), right.data()};
        limiter.Process(io, io, kFrames);
        double largestStep = std::fabs(left[0] - before);
        for (int32_t i = 1; i < kFrames; ++i)
            largestStep = std::max(largestStep, std::fabs(left[i] - left[i - 1]));
        // At once, the first frame would take the whole step.
        EXPECT_LT(largestStep, 0.03 * std::max(before, after));
        EXPECT_NEAR(Limit(limiter, kInput), after, 1e-12);
    }
}
