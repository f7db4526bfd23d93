#include "dsp/units/curves/LcgRandom.h"
#include "dsp/units/curves/SharedRandom.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

TEST(LcgRandom, SequencesOfTheSeedsTheUnitsUse)
{
    struct Case
    {
        uint32_t seed;
        std::vector<int32_t> first;
    };
    const Case cases[] = {
        {1, {41, 18467, 6334, 26500}},
        {1600, {5263, 1969, 30216, 1339}},
        {1800, {5916, 21731, 31338, 29873}},
    };
    for (const Case& c : cases)
    {
        LcgRandom random(c.seed);
        for (int32_t expected : c.first)
            EXPECT_EQ(random.Next(), expected) << "seed " << c.seed;
        SharedRandom::Seed(c.seed);
        for (int32_t expected : c.first)
            EXPECT_EQ(SharedRandom::Next(), expected) << "shared, seed " << c.seed;
    }
}

TEST(LcgRandom, UnitValuesSpanZeroToOne)
{
    LcgRandom random(1600);
    EXPECT_EQ(random.NextUnit(), 5263 / 32767.0);
    // Results cover the whole 15-bit range.
    LcgRandom top(0);
    int32_t largest = 0;
    for (int i = 0; i < 200000; ++i)
        largest = std::max(largest, top.Next());
    EXPECT_EQ(largest, LcgRandom::kMax);
}
