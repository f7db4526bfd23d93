#include "DesignCatalogue.h"

#include "dsp/filters/ParamInfo.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <random>
#include <string>
#include <vector>

namespace {

double LargestPoleRadius(const Dsp::Filter& filter)
{
    double largest = 0.0;
    for (const Dsp::PoleZeroPair& pair : filter.GetPoleZeroPairs()) {
        largest = std::max(largest, std::abs(pair.pole1));
        if (!pair.IsSingle())
            largest = std::max(largest, std::abs(pair.pole2));
    }
    return largest;
}

struct OutputLevels {
    bool finite;
    double settledPeak; // after the glide
};

OutputLevels RunNoise(Dsp::Filter& filter, int frames, int settledFrom)
{
    std::mt19937 random(21);
    std::uniform_real_distribution<double> noise(-1.0, 1.0);
    std::vector<double> left(frames);
    std::vector<double> right(frames);
    for (int n = 0; n < frames; ++n) {
        left[n] = noise(random);
        right[n] = noise(random);
    }
    double* channels[] = {left.data(), right.data()};
    filter.ProcessDouble(frames, channels);
    OutputLevels levels{true, 0.0};
    for (int n = 0; n < frames; ++n) {
        levels.finite = levels.finite && std::isfinite(left[n]) && std::isfinite(right[n]);
        if (n >= settledFrom)
            levels.settledPeak = std::max({levels.settledPeak, std::fabs(left[n]), std::fabs(right[n])});
    }
    return levels;
}

TEST(Stability, EveryDesignStaysStableWithFrequenciesAtAndAboveNyquist)
{
    // Far above what noise of amplitude 1 gives through a stable design of gain at most 1.
    constexpr double kBound = 100.0;
    for (const DesignEntry& entry : AllDesigns()) {
        for (double fs : {22050.0, 32000.0}) {
            for (double hz : {0.49 * fs, 0.5 * fs, 0.6 * fs, 22040.0, 30000.0}) {
                for (double width : {1720.0, 22040.0}) {
                    SCOPED_TRACE(entry.label + " fs " + std::to_string(fs) + " f " + std::to_string(hz) + " width " +
                                 std::to_string(width));
                    auto filter = MakeDesigned(entry, fs);
                    filter->SetTransitionLength(256);
                    filter->params[FindParam(*filter, Dsp::kFrequencyId)] = hz;
                    if (FindParam(*filter, Dsp::kBandwidthHzId) >= 0)
                        filter->params[FindParam(*filter, Dsp::kBandwidthHzId)] = width;
                    filter->SetParams(filter->params);
                    EXPECT_LT(LargestPoleRadius(*filter), 1.0);
                    // The glide runs the transition design up to the same frequency; its
                    // transients must die away.
                    const OutputLevels levels = RunNoise(*filter, 8000, 4000);
                    EXPECT_TRUE(levels.finite);
                    EXPECT_LT(levels.settledPeak, kBound);
                }
            }
        }
    }
}

} // namespace
