// The stereo cascades with fused multiply-adds, where the processor has them, against the
// portable recursion: a processor without FMA hears what this one hears.

#include "DesignCatalogue.h"

#include "tests/support/SimdLevels.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <random>
#include <vector>

namespace {

constexpr double kSampleRate = 48000.0;
constexpr int kFrames = 3000;
constexpr int kBlock = 512;

struct Stereo {
    std::vector<double> left;
    std::vector<double> right;
};

Stereo Filtered(const DesignEntry& entry, SimdLevel level)
{
    const SimdLimit limit(level);
    std::mt19937 random(17);
    std::uniform_real_distribution<double> value(-0.9, 0.9);
    Stereo signal{std::vector<double>(kFrames), std::vector<double>(kFrames)};
    for (int i = 0; i < kFrames; ++i) {
        signal.left[i] = value(random);
        signal.right[i] = value(random);
    }
    auto filter = MakeDesigned(entry, kSampleRate);
    for (int from = 0; from < kFrames; from += kBlock) {
        double* const channels[2] = {signal.left.data() + from, signal.right.data() + from};
        filter->ProcessDouble(std::min(kBlock, kFrames - from), channels);
    }
    return signal;
}

TEST(FusedCascade, EveryDesignGivesThePortableOutputWithin120Decibels)
{
    bool anyDiffers = false;
    for (const DesignEntry& entry : AllDesigns()) {
        const Stereo portable = Filtered(entry, SimdLevel::kPortable);
        const Stereo widest = Filtered(entry, AvailableSimdLevel());
        double largest = 0.0;
        for (int i = 0; i < kFrames; ++i)
            largest = std::max({largest, std::fabs(widest.left[i] - portable.left[i]),
                                std::fabs(widest.right[i] - portable.right[i])});
        EXPECT_LE(largest, kSimdTolerance) << entry.label;
        anyDiffers = anyDiffers || largest > 0.0;
    }
    // Fused sums round differently: had the fused loops not run, nothing would differ.
    if (AvailableSimdLevel() == SimdLevel::kAvx2Fma) {
        EXPECT_TRUE(anyDiffers) << "the fused cascades did not run";
    }
}

} // namespace
