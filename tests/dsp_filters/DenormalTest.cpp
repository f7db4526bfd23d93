#include "DesignCatalogue.h"

#include <gtest/gtest.h>

#include <algorithm>
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

struct SilentRun {
    double peak;
    int subnormals;
};

SilentRun RunSilence(Dsp::Filter& filter, int frames)
{
    std::vector<double> left(kBlock);
    std::vector<double> right(kBlock);
    double* channels[] = {left.data(), right.data()};
    SilentRun run{0.0, 0};
    for (int frame = 0; frame < frames; frame += kBlock) {
        std::fill(left.begin(), left.end(), 0.0);
        std::fill(right.begin(), right.end(), 0.0);
        filter.ProcessDouble(kBlock, channels);
        for (int n = 0; n < kBlock; ++n) {
            run.peak = std::max({run.peak, std::fabs(left[n]), std::fabs(right[n])});
            run.subnormals += (std::fpclassify(left[n]) == FP_SUBNORMAL) + (std::fpclassify(right[n]) == FP_SUBNORMAL);
        }
    }
    return run;
}

TEST(Denormal, SilenceStaysAtTheGuardsLevelAtEveryRateAndCutoff)
{
    // The guard is 1e-8; a normalised response may lift it a little, not to an audible level.
    constexpr double kNearSilence = 1e-7;
    constexpr int kFrames = 12000;
    for (const DesignEntry& entry : AllDesigns()) {
        for (double fs : {44100.0, 192000.0}) {
            for (double cutoff : {10.0, 1000.0, 0.49 * fs}) {
                SCOPED_TRACE(entry.label + " at " + std::to_string(fs) + ", " + std::to_string(cutoff) + " Hz");
                auto filter = MakeDesigned(entry, fs);
                SetParam(*filter, Dsp::kFrequencyId, cutoff);
                const SilentRun fresh = RunSilence(*filter, kFrames);
                filter->Reset();
                const SilentRun reset = RunSilence(*filter, kFrames);
                filter->SetTransitionLength(2048);
                SetParam(*filter, Dsp::kFrequencyId, cutoff < 1000.0 ? 0.49 * fs : 10.0);
                const SilentRun gliding = RunSilence(*filter, kFrames);
                for (const SilentRun& run : {fresh, reset, gliding}) {
                    EXPECT_LT(run.peak, kNearSilence);
                    EXPECT_EQ(run.subnormals, 0);
                }
            }
        }
    }
}

} // namespace
