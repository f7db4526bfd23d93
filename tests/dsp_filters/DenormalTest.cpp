#include "DesignCatalogue.h"

#include <gtest/gtest.h>

#include <cmath>
#include <random>
#include <type_traits>
#include <vector>

namespace {

constexpr int kNoiseFrames = 2000;
// Long enough for an undamped tail to decay through the whole normal range.
constexpr int kSilentFrames = 60000;
constexpr int kBlock = 500;

template <class Sample>
int CountSubnormalsAfterSilence(Dsp::Filter& filter)
{
    std::mt19937 random(7);
    std::uniform_real_distribution<double> noise(-1.0, 1.0);
    std::vector<Sample> left(kBlock);
    std::vector<Sample> right(kBlock);
    Sample* channels[] = {left.data(), right.data()};
    int subnormals = 0;
    for (int frame = 0; frame < kNoiseFrames + kSilentFrames; frame += kBlock) {
        for (int n = 0; n < kBlock; ++n) {
            const bool loud = frame + n < kNoiseFrames;
            left[n] = static_cast<Sample>(loud ? noise(random) : 0.0);
            right[n] = static_cast<Sample>(loud ? noise(random) : 0.0);
        }
        if constexpr (std::is_same_v<Sample, double>)
            filter.ProcessDouble(kBlock, channels);
        else
            filter.ProcessFloat(kBlock, channels);
        for (int n = 0; n < kBlock; ++n)
            subnormals += (std::fpclassify(left[n]) == FP_SUBNORMAL) + (std::fpclassify(right[n]) == FP_SUBNORMAL);
    }
    return subnormals;
}

TEST(Denormal, NoDesignOutputsSubnormalValuesAfterSilence)
{
    for (const DesignEntry& entry : AllDesigns()) {
        for (double cutoff : {40.0, 2000.0, 15000.0}) {
            SCOPED_TRACE(entry.label + " at " + std::to_string(cutoff));
            auto filter = MakeDesigned(entry, 44100);
            SetParam(*filter, Dsp::kFrequencyId, cutoff);
            EXPECT_EQ(CountSubnormalsAfterSilence<double>(*filter), 0);
            filter->Reset();
            EXPECT_EQ(CountSubnormalsAfterSilence<float>(*filter), 0);
        }
    }
}

} // namespace
