#include "dsp/units/curves/BuiltinCurves.h"

#include <gtest/gtest.h>

#include <cstring>

namespace
{
using Wezmark::BuiltinCurves;
using Wezmark::DistortionDataProvider;

bool SameBits(const double* a, const double* b, int32_t n)
{
    return std::memcmp(a, b, sizeof(double) * static_cast<size_t>(n)) == 0;
}

// What an unedited curve reads is what a curve of its own held once it took the slot's points,
// so sharing changes no sound.
TEST(BuiltinCurves, EverySlotReadsAsACurveThatTookItsPoints)
{
    const BuiltinCurves& builtins = *BuiltinCurves::Shared();
    for (int slot = 0; slot < DistortionDataProvider::kSlotCount; ++slot)
    {
        const CurveSlot& source = builtins.Library().slots[static_cast<size_t>(slot)];
        DistortionCurve own(source.count);
        own.SetPoints(source.points);
        const DistortionCurve shared(builtins.Slot(slot));
        ASSERT_EQ(shared.count, own.count) << slot;
        EXPECT_TRUE(SameBits(shared.Points(), own.Points(), own.count)) << slot;
        EXPECT_TRUE(SameBits(shared.Alternative(), own.Alternative(), own.count)) << slot;
    }
}

TEST(BuiltinCurves, IdsAndTheCompressorReadTheirLibrarySlots)
{
    const BuiltinCurves& builtins = *BuiltinCurves::Shared();
    const struct
    {
        CurveId id;
        int slot;
    } cases[] = {{7, 18}, {81, 0}, {1000, 0}};
    for (const auto& c : cases)
        EXPECT_EQ(&builtins.ForId(c.id), &builtins.Slot(c.slot)) << c.id;
    EXPECT_EQ(builtins.Compressor().Points(), builtins.Slot(81).points.data());
    EXPECT_EQ(builtins.Compressor().interpolation, DistortionCurve::kHermiteInterpolation);
}
} // namespace
