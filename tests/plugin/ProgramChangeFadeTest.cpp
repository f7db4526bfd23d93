#include "plugin/ProgramChangeFade.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <vector>

namespace
{
constexpr int kFade = 100;
constexpr int kSettle = 50;

// The gains of `n` frames, as the fade scales a signal of ones.
std::vector<double> Gains(ProgramChangeFade& fade, int n)
{
    std::vector<double> left(static_cast<size_t>(n), 1.0);
    std::vector<double> right(static_cast<size_t>(n), 1.0);
    double* const io[2] = {left.data(), right.data()};
    fade.Scale(io, n);
    return left;
}

double LargestStep(const std::vector<double>& gains, double before)
{
    double largest = 0.0;
    for (double gain : gains)
    {
        largest = std::max(largest, std::fabs(gain - before));
        before = gain;
    }
    return largest;
}

TEST(ProgramChangeFade, FadesOutToTheQuietPointThenSettlesAndFadesIn)
{
    ProgramChangeFade fade;
    fade.SetFrames(kFade, kSettle);
    fade.Request();
    ASSERT_TRUE(fade.Pending());
    EXPECT_EQ(fade.FramesToQuiet(), kFade);
    const std::vector<double> out = Gains(fade, kFade);
    EXPECT_EQ(out.back(), 0.0);
    EXPECT_LT(LargestStep(out, 1.0), 2.0 / kFade);
    EXPECT_TRUE(fade.ApplyDue());

    fade.Applied();
    EXPECT_FALSE(fade.Pending());
    for (double gain : Gains(fade, kSettle))
        EXPECT_EQ(gain, 0.0);
    const std::vector<double> in = Gains(fade, kFade);
    EXPECT_EQ(in.back(), 1.0);
    EXPECT_LT(LargestStep(in, 0.0), 2.0 / kFade);
    for (double gain : Gains(fade, 10))
        EXPECT_EQ(gain, 1.0);
}

// A program change that comes while another one fades in turns the fade round where it stands.
TEST(ProgramChangeFade, ARequestDuringTheFadeInTurnsItRoundWithoutAJump)
{
    ProgramChangeFade fade;
    fade.SetFrames(kFade, kSettle);
    fade.Request();
    Gains(fade, kFade);
    fade.Applied();
    Gains(fade, kSettle);
    const double reached = Gains(fade, kFade / 2).back();
    fade.Request();
    const std::vector<double> out = Gains(fade, kFade / 2);
    EXPECT_LT(LargestStep(out, reached), 2.0 / kFade);
    EXPECT_EQ(out.back(), 0.0);
    EXPECT_TRUE(fade.ApplyDue());
}

// A request while the new settings settle unheard is applied at once, and the settling starts again.
TEST(ProgramChangeFade, ARequestWhileSettlingIsDueAtOnce)
{
    ProgramChangeFade fade;
    fade.SetFrames(kFade, kSettle);
    fade.Request();
    Gains(fade, kFade);
    fade.Applied();
    Gains(fade, kSettle / 2);
    fade.Request();
    EXPECT_TRUE(fade.ApplyDue());
    fade.Applied();
    for (double gain : Gains(fade, kSettle))
        EXPECT_EQ(gain, 0.0);
}
} // namespace
