#pragma once

#include <array>
#include <string>
#include <string_view>
#include <vector>

namespace Wezmark
{
class DistortionDataProvider;
}

// A per-slot summary of the built-in curve library (means, extremes and a few points), written
// as text so that every build can compare its library with the same committed golden data.
class CurveLibraryDigest
{
public:
    static constexpr std::array<int, 8> kSampledPoints = {0, 1, 511, 1023, 1024, 1536, 2046, 2047};
    static constexpr int kValueCount = 6 + static_cast<int>(kSampledPoints.size());

    // mean, mean magnitude, mean square, position-weighted mean, minimum, maximum, sampled points.
    using SlotDigest = std::array<double, kValueCount>;

    static std::vector<SlotDigest> Compute(const Wezmark::DistortionDataProvider& library);
    static std::string Format(const std::vector<SlotDigest>& digests);

    // False when the text is not one well-formed line per slot.
    static bool Parse(std::string_view text, std::vector<SlotDigest>& digests);
};
