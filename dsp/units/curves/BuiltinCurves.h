#pragma once

#include "dsp/units/curves/CurveId.h"
#include "dsp/units/curves/CurveStorage.h"
#include "dsp/units/curves/DistortionCurve.h"
#include "dsp/units/curves/DistortionDataProvider.h"

#include <array>
#include <memory>

namespace Wezmark
{
// The built-in transfer curves as every instance reads them until it edits one: the curve
// library, and for each of its slots the points as a curve holds them (finite, within -1..1)
// with the tables of the polarity modes. Complete once constructed and never changed, so any
// thread reads it without a lock.
class BuiltinCurves
{
public:
    // The process's one set: built by its first caller (a caller on another thread meanwhile
    // waits for it), released when the module unloads. Instances hold it, so one the host
    // never closed still reads it after that.
    static std::shared_ptr<const BuiltinCurves> Shared();

    BuiltinCurves();
    // From a library as it is handed over.
    explicit BuiltinCurves(std::unique_ptr<const DistortionDataProvider> library);
    BuiltinCurves(const BuiltinCurves&) = delete;
    BuiltinCurves& operator=(const BuiltinCurves&) = delete;

    const DistortionDataProvider& Library() const { return *mLibrary; }
    // The tables of library slot 0..84.
    const SharedCurveTables& Slot(int slot) const { return mSlots[static_cast<size_t>(slot)]; }
    // The library slot whose points curve `id` takes; ids outside 1..80 give slot 0, the
    // identity ramp that curve 0 holds.
    static int LibrarySlotOf(CurveId id);
    const SharedCurveTables& ForId(CurveId id) const { return Slot(LibrarySlotOf(id)); }
    // Whether the points (as many as curve `id` has) are exactly those that curve reads.
    bool AreBuiltIn(const double* points, CurveId id) const;
    // Library slot 81 as the compress curve action reads it.
    const DistortionCurve& Compressor() const { return mCompressor; }

private:
    std::unique_ptr<const DistortionDataProvider> mLibrary;
    std::array<SharedCurveTables, DistortionDataProvider::kSlotCount> mSlots;
    DistortionCurve mCompressor;
};
}
