#include "dsp/units/AudioProcessingUnit.h"

#include <gtest/gtest.h>

#include <vector>

namespace
{

using Wezmark::AudioProcessingUnit;

// Mixes dry = 0 with wet = 1, so every output sample is the fade weight of its frame.
std::vector<double> FadeWeights(AudioProcessingUnit& unit, int32_t frames)
{
    std::vector<double> dryLeft(frames, 0.0), dryRight(frames, 0.0);
    std::vector<double> wetLeft(frames, 1.0), wetRight(frames, 1.0);
    const double* dry[2] = {dryLeft.data(), dryRight.data()};
    double* wet[2] = {wetLeft.data(), wetRight.data()};
    unit.MixBypassFade(dry, wet, frames);
    EXPECT_EQ(wetLeft, wetRight) << "both channels share one fade value per frame";
    return wetLeft;
}

struct FadeCase
{
    const char* name;
    bool startBypassed;
    bool switchTo;
    double firstWeight;
    double step;
    double endWeight;
};

TEST(AudioProcessingUnit, SwitchingRunsAFiveHundredFrameRampThatLandsExactly)
{
    const FadeCase cases[] = {
        {"bypass on", false, true, 0.998, -0.002, 0.0},
        {"bypass off", true, false, 0.002, 0.002, 1.0},
    };
    for (const FadeCase& c : cases)
    {
        SCOPED_TRACE(c.name);
        AudioProcessingUnit unit;
        if (c.startBypassed)
        {
            unit.SetBypass(true);
            FadeWeights(unit, 600);
            ASSERT_EQ(unit.fade, 0.0);
        }
        unit.SetBypass(c.switchTo);
        EXPECT_EQ(unit.fade, c.firstWeight);
        EXPECT_EQ(unit.fadeStep, c.step);

        const std::vector<double> weights = FadeWeights(unit, 600);
        EXPECT_EQ(weights[0], c.firstWeight);
        int moving = 0;
        for (size_t i = 0; i < weights.size(); ++i)
        {
            if (weights[i] != c.endWeight)
                ++moving;
            if (i > 0 && weights[i - 1] != c.endWeight)
            {
                EXPECT_NEAR(weights[i] - weights[i - 1], c.step, 1e-12) << "frame " << i;
            }
        }
        EXPECT_GE(moving, 499);
        EXPECT_LE(moving, 500);
        EXPECT_EQ(unit.fade, c.endWeight);
        EXPECT_EQ(weights.back(), c.endWeight);
    }
}

TEST(AudioProcessingUnit, SameValueTwiceLeavesAFadeUnderWayAlone)
{
    AudioProcessingUnit fresh;
    fresh.SetBypass(false);
    EXPECT_EQ(fresh.fade, 1.0);
    EXPECT_EQ(fresh.fadeStep, 0.002);

    AudioProcessingUnit fading;
    fading.SetBypass(true);
    FadeWeights(fading, 100);
    const double midway = fading.fade;
    fading.SetBypass(true);
    EXPECT_EQ(fading.fade, midway);
    EXPECT_EQ(fading.fadeStep, -0.002);
}

// Starting the new fade from its far end would step the weight by 0.8 at once.
TEST(AudioProcessingUnit, ReversalMidFadeTurnsBackFromWhereTheFadeStands)
{
    AudioProcessingUnit unit;
    unit.SetBypass(true);
    FadeWeights(unit, 100);
    ASSERT_NEAR(unit.fade, 0.798, 1e-12);
    unit.SetBypass(false);
    EXPECT_NEAR(unit.fade, 0.8, 1e-12);
    EXPECT_EQ(unit.fadeStep, 0.002);
}

// The fade lasts as long at every rate.
TEST(AudioProcessingUnit, FadeStepFollowsTheSampleRate)
{
    AudioProcessingUnit unit;
    unit.Prepare(88200.0, 1);
    unit.SetBypass(true);
    EXPECT_DOUBLE_EQ(unit.fadeStep, -0.001);
    EXPECT_DOUBLE_EQ(unit.fade, 0.999);
}

TEST(AudioProcessingUnit, SplitBlocksGiveTheSameWeightsAsOneBlock)
{
    AudioProcessingUnit whole;
    whole.SetBypass(true);
    const std::vector<double> expected = FadeWeights(whole, 700);

    AudioProcessingUnit split;
    split.SetBypass(true);
    std::vector<double> joined;
    for (int32_t frames : {1, 7, 0, 250, 300, 142})
    {
        const std::vector<double> part = FadeWeights(split, frames);
        joined.insert(joined.end(), part.begin(), part.end());
    }
    EXPECT_EQ(joined, expected);
    EXPECT_EQ(split.fade, whole.fade);
}

TEST(AudioProcessingUnit, EmptyBlockLeavesTheFadeWhereItIs)
{
    AudioProcessingUnit unit;
    unit.SetBypass(true);
    FadeWeights(unit, 0);
    EXPECT_EQ(unit.fade, 0.998);
}

} // namespace
