// The switch between the host-rate path and the oversampled one: which paths run in each slice
// and the oversampled path's weight at each frame.

#include "plugin/OversamplingSwitch.h"

#include <gtest/gtest.h>

#include <vector>

namespace
{
constexpr int32_t kWarmUp = 8;
constexpr int32_t kCrossfade = 4;
constexpr int32_t kSlice = 3;

struct Played
{
    // The oversampled path's weight at every frame.
    std::vector<double> weights;
    // The slices in which the oversampled path, and the host-rate one, started to run.
    std::vector<int> oversampledStarts;
    std::vector<int> hostRateStarts;
};

// Slices of kSlice frames, the first one played in the mode the switch was prepared with.
Played Play(bool preparedWith, const std::vector<bool>& wanted)
{
    OversamplingSwitch oversampling;
    oversampling.SetFrames(kWarmUp, kCrossfade);
    oversampling.Prepare(kSlice);
    oversampling.Adopt(preparedWith);
    Played played;
    for (int slice = 0; slice < static_cast<int>(wanted.size()); ++slice)
    {
        oversampling.Begin(wanted[slice], kSlice);
        EXPECT_TRUE(oversampling.Runs(false) || oversampling.Runs(true));
        if (oversampling.Starts(true))
            played.oversampledStarts.push_back(slice);
        if (oversampling.Starts(false))
            played.hostRateStarts.push_back(slice);
        const double settled = oversampling.Runs(true) ? 1.0 : 0.0;
        for (int32_t i = 0; i < kSlice; ++i)
            played.weights.push_back(oversampling.Both() ? oversampling.Weights()[i] : settled);
    }
    return played;
}

TEST(OversamplingSwitch, IncomingPathWarmsUpUnheardThenCrossfades)
{
    struct Case
    {
        const char* name;
        bool preparedWith;
        std::vector<bool> wanted;
        std::vector<double> weights;
        std::vector<int> oversampledStarts;
        std::vector<int> hostRateStarts;
    };
    const Case cases[] = {
        {"on",
         false,
         {false, true, true, true, true, true},
         {0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0.25, 0.5, 0.75, 1, 1, 1, 1},
         {1},
         {}},
        {"off",
         true,
         {true, false, false, false, false, false},
         {1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 0.75, 0.5, 0.25, 0, 0, 0, 0},
         {},
         {1}},
        // Not yet heard, the incoming path stops at once and warms up afresh next time.
        {"back during the warm-up",
         false,
         {false, true, true, false, true, true, true},
         {0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0.25},
         {1, 4},
         {}},
        // Both paths are warm: the crossfade turns back where it stands.
        {"back during the crossfade",
         false,
         {false, true, true, true, false, false},
         {0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0.25, 0, 0, 0, 0, 0, 0},
         {1},
         {}},
        // Before anything has played the wanted mode is taken at once.
        {"before anything played", false, {true, true}, {1, 1, 1, 1, 1, 1}, {}, {}},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.name);
        const Played played = Play(c.preparedWith, c.wanted);
        EXPECT_EQ(played.weights, c.weights);
        EXPECT_EQ(played.oversampledStarts, c.oversampledStarts);
        EXPECT_EQ(played.hostRateStarts, c.hostRateStarts);
    }
}

} // namespace
