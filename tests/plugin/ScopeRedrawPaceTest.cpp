#include "plugin/ScopeRedrawPace.h"

#include <gtest/gtest.h>

#include <limits>
#include <vector>

namespace
{
constexpr double kRate = 48000.0;
// 80 ms at 48 kHz.
constexpr int32_t kFrame = 3840;

// Which of a run of blocks, each changing the ring or not, mark the scope.
std::vector<bool> Marks(const std::vector<int32_t>& frames, const std::vector<bool>& changed, double rate)
{
    ScopeRedrawPace pace;
    std::vector<bool> marks;
    for (size_t i = 0; i < frames.size(); ++i)
        marks.push_back(pace.Advance(frames[i], changed[i], rate));
    return marks;
}
}

TEST(ScopeRedrawPace, MarksAChangedRingOnceAScopeFrameHasPassed)
{
    constexpr int32_t kQuarter = kFrame / 4;
    const struct
    {
        const char* name;
        std::vector<int32_t> frames;
        std::vector<bool> changed;
        double rate;
        std::vector<bool> marks;
    } cases[] = {
        {"the first change at once, then a frame later",
         {kQuarter, kQuarter, kQuarter, kQuarter, kQuarter},
         {true, true, true, true, true},
         kRate,
         {true, false, false, false, true}},
        {"an unchanged ring never", {kFrame, kFrame, kFrame}, {false, false, false}, kRate, {false, false, false}},
        {"a change made while not due waits for the frame",
         {kQuarter, kQuarter, kQuarter, kQuarter, kQuarter},
         {true, true, false, false, false},
         kRate,
         {true, false, false, false, true}},
        {"after a long quiet spell, the next change at once",
         {kFrame, kFrame, kFrame, kQuarter},
         {true, false, false, true},
         kRate,
         {true, false, false, true}},
        {"one long block each time", {kFrame * 2, kFrame * 2}, {true, true}, kRate, {true, true}},
        {"without a sample rate every change", {1, 1, 1}, {true, false, true}, 0.0, {true, false, true}},
        {"a rate that is not a number, every change",
         {1, 1},
         {true, true},
         std::numeric_limits<double>::quiet_NaN(),
         {true, true}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(Marks(c.frames, c.changed, c.rate), c.marks) << c.name;
}
