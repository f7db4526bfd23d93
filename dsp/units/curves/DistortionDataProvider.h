#pragma once

#include "dsp/units/curves/CurveSlot.h"
#include "dsp/units/curves/LcgRandom.h"

#include <array>
#include <cstdint>

namespace Wezmark
{
// The library of built-in transfer curves: 85 slots of 2048 points, filled once at
// construction from formulas (slots 0..53, 81, 82, 84) or stored tables (54..80); slot 83
// stays zero. Read-only afterwards.
class DistortionDataProvider
{
public:
    static constexpr int kSlotCount = 85;
    static constexpr int kHalf = CurveSlot::kHalf;
    static constexpr uint32_t kBuildSeed = 1600;

    DistortionDataProvider();
    virtual ~DistortionDataProvider() = default;
    DistortionDataProvider(const DistortionDataProvider&) = delete;
    DistortionDataProvider& operator=(const DistortionDataProvider&) = delete;

    void BuildCurves();

    // Two clamped two-point averaging passes that pull both ends in.
    void SmoothCurveSlot(int slot);

    // Identity up to the knee, a quadratic knee of the given width and ratio, flat above it.
    void FillSoftClipCurve(int slot, double threshold, double kneeWidth, double ratio);

    // Resamples a 512-point table into the slot through Hermite lookup.
    void LoadStoredCurve(int slot, const double* table);
    void LoadStoredCurves();

    // Helpers of the formulas: x of the positive point half + i (from slot 0), clamp and
    // peak-normalise a whole slot.
    double InputAt(int i) const { return slots[0].points[kHalf + i]; }
    void ClampSlot(int slot);
    void PeakSlot(int slot);

    std::array<CurveSlot, kSlotCount> slots;

private:
    // Local to the build, so the noise slots come out the same in every instance.
    LcgRandom mRandom;
};
}
