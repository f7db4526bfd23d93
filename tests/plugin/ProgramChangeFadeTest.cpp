#include "plugin/ProgramChangeFade.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <limits>
#include <vector>

namespace
{
constexpr int kFade = 100;
constexpr int kWindow = 10;
constexpr int kShortestWindows = 5;
constexpr int kLongestWindows = 12;
constexpr int kSettle = kWindow * kShortestWindows;

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
    fade.SetFrames(kFade, kWindow, kShortestWindows, kLongestWindows);
    fade.Request();
    ASSERT_TRUE(fade.Pending());
    EXPECT_EQ(fade.FramesToNextStep(), kFade);
    const std::vector<double> out = Gains(fade, kFade);
    EXPECT_EQ(out.back(), 0.0);
    EXPECT_LT(LargestStep(out, 1.0), 2.0 / kFade);
    EXPECT_EQ(fade.DueStep(), 0);

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
    fade.SetFrames(kFade, kWindow, kShortestWindows, kLongestWindows);
    fade.Request();
    Gains(fade, kFade);
    fade.Applied();
    Gains(fade, kSettle);
    const double reached = Gains(fade, kFade / 2).back();
    fade.Request();
    const std::vector<double> out = Gains(fade, kFade / 2);
    EXPECT_LT(LargestStep(out, reached), 2.0 / kFade);
    EXPECT_EQ(out.back(), 0.0);
    EXPECT_EQ(fade.DueStep(), 0);
}

// A request while the new settings settle unheard is applied at once, and the settling starts again.
TEST(ProgramChangeFade, ARequestWhileSettlingIsDueAtOnce)
{
    ProgramChangeFade fade;
    fade.SetFrames(kFade, kWindow, kShortestWindows, kLongestWindows);
    fade.Request();
    Gains(fade, kFade);
    fade.Applied();
    Gains(fade, kSettle / 2);
    fade.Request();
    EXPECT_EQ(fade.DueStep(), 0);
    fade.Applied();
    for (double gain : Gains(fade, kSettle))
        EXPECT_EQ(gain, 0.0);
}
// The settings go in step by step, each where a slice starts, with the output silent and later
// changes applied at once; the settling starts after the last step, and a request meanwhile
// starts the steps again with the values waiting.
TEST(ProgramChangeFade, AppliesInStepsThenSettles)
{
    constexpr int kSteps = 3;
    constexpr int kStepFrames = 7;
    ProgramChangeFade fade;
    fade.SetFrames(kFade, kWindow, kShortestWindows, kLongestWindows);
    fade.SetSteps(kSteps, kStepFrames);
    fade.Request();
    EXPECT_TRUE(fade.ValuesWait());
    Gains(fade, kFade);
    for (int step = 0; step < kSteps; ++step)
    {
        SCOPED_TRACE(step);
        ASSERT_EQ(fade.DueStep(), step);
        EXPECT_EQ(fade.FramesToNextStep(), step + 1 < kSteps ? kStepFrames : std::numeric_limits<int32_t>::max());
        fade.StepTaken();
        EXPECT_EQ(fade.Pending(), step + 1 < kSteps);
        EXPECT_FALSE(fade.ValuesWait());
        if (step + 1 == kSteps)
            break;
        EXPECT_EQ(fade.DueStep(), ProgramChangeFade::kNoStep);
        for (double gain : Gains(fade, kStepFrames))
            EXPECT_EQ(gain, 0.0);
        if (step == 0)
        {
            fade.Request();
            EXPECT_TRUE(fade.ValuesWait());
            ASSERT_EQ(fade.DueStep(), 0);
            fade.StepTaken();
            Gains(fade, kStepFrames);
        }
    }
    EXPECT_FALSE(fade.Applying());
    const std::vector<double> out = Gains(fade, kSettle + kFade);
    const auto heard = std::find_if(out.begin(), out.end(), [](double x) { return x != 0.0; });
    EXPECT_EQ(heard - out.begin(), kSettle);
}

// The unheard run goes on while the output's peak still moves between windows, to a bound.
TEST(ProgramChangeFade, SettlesUntilTheOutputStopsMoving)
{
    const struct
    {
        const char* name;
        int movingWindows;
        int silentFrames;
    } cases[] = {
        {"steady at once", 0, kSettle},
        // Three windows in a row alike: the last moving one and the two after it.
        {"moving past the shortest run", 7, 10 * kWindow},
        {"moving beyond the longest run", 100, kLongestWindows * kWindow},
    };
    for (const auto& c : cases)
    {
        SCOPED_TRACE(c.name);
        ProgramChangeFade fade;
        fade.SetFrames(kFade, kWindow, kShortestWindows, kLongestWindows);
        fade.Request();
        Gains(fade, kFade);
        fade.Applied();
        // A tone at half the rate, each moving window half as loud again as the last, then steady.
        std::vector<double> left;
        for (int w = 0; w < kLongestWindows + 2; ++w)
            for (int i = 0; i < kWindow; ++i)
                left.push_back((i % 2 == 0 ? 0.1 : -0.1) * std::pow(1.5, std::min(w, c.movingWindows)));
        std::vector<double> right = left;
        double* const io[2] = {left.data(), right.data()};
        fade.Scale(io, static_cast<int32_t>(left.size()));
        const auto heard = std::find_if(left.begin(), left.end(), [](double x) { return x != 0.0; });
        EXPECT_EQ(heard - left.begin(), c.silentFrames);
    }
}
} // namespace
