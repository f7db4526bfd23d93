#include "framework/RaisedCosine.h"
#include "vst3/HostBypassFade.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <vector>

namespace
{
constexpr int32_t kFade = 4;
constexpr int32_t kWarmUp = 4;
constexpr int32_t kSlice = 2;
// The fade's weights a quarter, half and three quarters of the way.
const double kQuarter = RaisedCosine(0.25);
const double kHalf = RaisedCosine(0.5);
const double kThreeQuarters = RaisedCosine(0.75);
// A slice in which the effect did not run, its input passing through.
constexpr double kPassedBy = -1.0;

// The bypassed signal's weight at every frame of slices of kSlice frames, with the host's
// switch as given at the start of each slice.
std::vector<double> Play(const std::vector<bool>& switches)
{
    HostBypassFade fade;
    fade.Prepare(kFade, kWarmUp, kSlice);
    std::vector<double> weights;
    for (const bool bypassed : switches)
    {
        fade.Follow(bypassed);
        if (!fade.EffectRuns())
            weights.insert(weights.end(), kSlice, kPassedBy);
        else if (fade.EffectOnly())
            weights.insert(weights.end(), kSlice, 0.0);
        else
            for (const double weight : fade.Advance(kSlice))
                weights.push_back(weight);
    }
    return weights;
}

TEST(HostBypassFade, FadesOutAtOnceAndInAfterAWarmUp)
{
    struct Case
    {
        const char* name;
        std::vector<bool> switches;
        std::vector<double> weights;
    };
    const Case cases[] = {
        {"on", {false, true, true, true}, {0.0, 0.0, kQuarter, kHalf, kThreeQuarters, 1.0, kPassedBy, kPassedBy}},
        {"off",
         {false, true, true, true, false, false, false, false, false},
         {0.0, 0.0, kQuarter, kHalf, kThreeQuarters, 1.0, kPassedBy, kPassedBy, 1.0, 1.0, 1.0, 1.0, 1.0 - kQuarter,
          1.0 - kHalf, 1.0 - kThreeQuarters, 0.0, 0.0, 0.0}},
        // Nothing of the effect was heard yet: it stops at once and warms up afresh next time.
        {"back during the warm-up",
         {true, false, true, false, false, false},
         {kPassedBy, kPassedBy, 1.0, 1.0, kPassedBy, kPassedBy, 1.0, 1.0, 1.0, 1.0, 1.0 - kQuarter, 1.0 - kHalf}},
        // A fade turns round where it stands.
        {"back during the fade out", {false, true, false, false}, {0.0, 0.0, kQuarter, kHalf, kQuarter, 0.0, 0.0, 0.0}},
        {"back during the fade in",
         {true, false, false, false, true, true},
         {kPassedBy, kPassedBy, 1.0, 1.0, 1.0, 1.0, 1.0 - kQuarter, kHalf, kThreeQuarters, 1.0, kPassedBy, kPassedBy}},
        // Before anything was heard the switch is taken at once.
        {"bypassed from the start", {true, true}, {kPassedBy, kPassedBy, kPassedBy, kPassedBy}},
    };
    for (const Case& c : cases)
        EXPECT_THAT(Play(c.switches), testing::Pointwise(testing::DoubleNear(1e-12), c.weights)) << c.name;
}
} // namespace
