#include "plugin/GentleSmoother.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>

namespace
{
constexpr double kKeep = 0.9777;
// 1/e, and a little for the steps being discrete.
constexpr double kSteepestShare = 0.38;

// From rest to a new target: no step is steeper than about 1/e of a one-pole glide's first, and
// the glide comes to rest on the target.
TEST(GentleSmoother, StartsGentlyAndSettlesOnTheTarget)
{
    struct Case { double from; double to; };
    const Case cases[] = {{0.0, 1.0}, {1.0, 0.0}, {1.0, 0.3}, {0.3, 1.0}};
    constexpr int kFrames = 48000;
    for (const Case& c : cases)
    {
        SCOPED_TRACE(testing::Message() << c.from << " to " << c.to);
        GentleSmoother glide;
        glide.SetCoefficient(kKeep);
        glide.Jump(c.from);
        EXPECT_TRUE(glide.Settled(c.from));
        double previous = c.from;
        double steepest = 0.0;
        glide.Glide(c.to, kFrames, [&](int32_t, auto values, int32_t count) {
            for (int32_t k = 0; k < count; ++k)
            {
                steepest = std::max(steepest, std::fabs(values[k] - previous));
                previous = values[k];
            }
        });
        const double firstOnePoleStep = (1.0 - kKeep) * std::fabs(c.to - c.from);
        EXPECT_LE(steepest, kSteepestShare * firstOnePoleStep);
        EXPECT_TRUE(glide.Settled(c.to));
        EXPECT_NEAR(glide.Value(), c.to, 1e-14);
    }
}
} // namespace
