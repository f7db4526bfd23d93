#include "plugin/DenormalGuard.h"
#include "plugin/OutputGuard.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <limits>
#include <optional>
#include <vector>

namespace
{
// The two-at-a-time loop against Guarded one sample at a time, bit for bit, with the gains as
// stepped values and as a settled one, in both denormal modes; an odd count reaches the tail.
TEST(OutputGuard, ScaleGuardAndPeakMatchesGuardedSampleBySample)
{
    constexpr double kInf = std::numeric_limits<double>::infinity();
    constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
    constexpr double kTiny = std::numeric_limits<double>::denorm_min() * 3.0;
    const std::vector<double> samples = {0.5,   -0.25, 0.0,    -0.0,  kTiny,  -kTiny, 3.0,  -3.0, 3.2,
                                         -3.2,  1e300, -1e300, kInf,  -kInf,  kNaN,   -kNaN, 1.0,  OutputGuard::kClamp,
                                         -OutputGuard::kClamp, 0.1,   -0.7};
    const std::vector<double> gains = {1.0,  2.0,  0.5, 1e-310, 10.0, 0.0,  -1.0, 1.0, 0.999, 1.001, 1e10,
                                       2.0,  0.0,  1.0, 1.0,    0.5,  3.17, 1.0,  1.0, -0.0,  4.0};
    ASSERT_EQ(samples.size(), gains.size());
    for (const bool flushing : {false, true})
        for (const bool settled : {false, true})
        {
            SCOPED_TRACE(testing::Message() << (flushing ? "flushing" : "keeping") << " denormals, "
                                            << (settled ? "a settled gain" : "stepped gains"));
            std::optional<DenormalGuard> denormals;
            if (flushing)
                denormals.emplace();
            constexpr double kSettledGain = 1.7;
            std::vector<double> expected = samples;
            double expectedPeak = 0.25;
            for (size_t i = 0; i < expected.size(); ++i)
            {
                expected[i] = OutputGuard::Guarded(expected[i] * (settled ? kSettledGain : gains[i]));
                expectedPeak = std::max(expectedPeak, std::fabs(expected[i]));
            }
            std::vector<double> guarded = samples;
            const auto count = static_cast<int32_t>(guarded.size());
            const double peak = settled ? OutputGuard::ScaleGuardAndPeak(guarded.data(), SettledValue{kSettledGain},
                                                                          count, 0.25)
                                        : OutputGuard::ScaleGuardAndPeak(guarded.data(), gains.data(), count, 0.25);
            for (size_t i = 0; i < guarded.size(); ++i)
                EXPECT_EQ(std::memcmp(&guarded[i], &expected[i], sizeof(double)), 0)
                    << "sample " << i << ": " << guarded[i] << " instead of " << expected[i];
            EXPECT_EQ(peak, expectedPeak);
        }
}
} // namespace
