#pragma once

#include "plugin/NamedParameter.h"
#include "plugin/ParamIndex.h"

#include <array>

// The values of the working parameters 0 to 64 of one program, normalised to 0..1. They are
// not kept in index order: 60 plain slots grouped by section, then five named records.
struct ProgramParameters
{
    static constexpr int kPlainSlotCount = 60;
    static constexpr int kNamedSlotCount = kWorkingParamCount - kPlainSlotCount;

    // The value of a working parameter; 0 for any other index.
    double Get(int index) const;
    // Stores without any check; indexes outside 0 to 64 are ignored.
    void Store(int index, double value);

    std::array<double, kPlainSlotCount> plain{};
    std::array<NamedParameter, kNamedSlotCount> named;
};
