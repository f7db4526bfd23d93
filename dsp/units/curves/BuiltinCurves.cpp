#include "dsp/units/curves/BuiltinCurves.h"

#include <cstring>
#include <utility>

namespace Wezmark
{
namespace
{
constexpr int kCompressorSlot = 81;

// Library slot of each curve id; id 0 reads slot 0 where a slot is asked for.
constexpr std::array<int, kCurveIdCount> kLibrarySlots = {
    0,  1,  2,  3,  4,  5,  6,  18, 17, 34, 7,  8,  35, 36, 37, 9,  10, 11, 12, 52, 39,
    40, 45, 46, 47, 48, 13, 15, 16, 49, 50, 51, 54, 55, 56, 57, 27, 28, 32, 33, 29, 30,
    31, 14, 19, 20, 21, 22, 41, 42, 43, 44, 38, 23, 24, 25, 26, 53, 58, 60, 59, 61, 78,
    79, 62, 63, 64, 65, 66, 67, 69, 68, 76, 72, 73, 77, 75, 70, 74, 71, 80,
};

std::array<SharedCurveTables, DistortionDataProvider::kSlotCount> BuildTables(const DistortionDataProvider& library)
{
    std::array<SharedCurveTables, DistortionDataProvider::kSlotCount> tables;
    // Slot 0 is the identity ramp, the alternative points of every curve.
    const double* identity = library.slots[0].points.data();
    for (size_t slot = 0; slot < tables.size(); ++slot)
        tables[slot].Build(library.slots[slot].points.data(), library.slots[slot].count, identity);
    return tables;
}
}

std::shared_ptr<const BuiltinCurves> BuiltinCurves::Shared()
{
    // A function-local static: its construction runs once, other first callers waiting for
    // it, and its destruction runs when the module unloads.
    static const std::shared_ptr<const BuiltinCurves> curves = std::make_shared<const BuiltinCurves>();
    return curves;
}

BuiltinCurves::BuiltinCurves() : BuiltinCurves(std::make_unique<const DistortionDataProvider>())
{
}

BuiltinCurves::BuiltinCurves(std::unique_ptr<const DistortionDataProvider> library)
    : mLibrary(std::move(library)), mSlots(BuildTables(*mLibrary)), mCompressor(mSlots[kCompressorSlot])
{
}

int BuiltinCurves::LibrarySlotOf(CurveId id)
{
    return id < kCurveIdCount ? kLibrarySlots[id] : 0;
}

bool BuiltinCurves::AreBuiltIn(const double* points, CurveId id) const
{
    const std::vector<double>& builtIn = ForId(id).points;
    return std::memcmp(points, builtIn.data(), sizeof(double) * builtIn.size()) == 0;
}
}
