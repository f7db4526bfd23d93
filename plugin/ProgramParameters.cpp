#include "plugin/ProgramParameters.h"

namespace
{
// Parameter index of every slot, plain slots first, then the named records.
constexpr std::array<int, kWorkingParamCount> kIndexOfSlot = {
    0,  1,  2,  4,  3,  5,  6,  7,                                          // input stage, first chain stages
    22, 23, 24, 25, 26, 27, 28, 29,                                         // filter unit
    8,  9,  10, 11, 12, 13, 14, 15, 16, 18, 19, 20, 21, 17,                 // distortion, dynamic shaper
    30, 31, 32, 33, 34, 57, 58,                                             // disto-band EQ, output sweep
    35, 36, 37, 38, 39, 40, 41, 42, 43, 44, 45, 47, 48, 49, 50, 46,         // sub band and disto band
    51, 52, 53, 54, 55, 62, 56,                                             // output
    59, 60, 64, 61, 63,                                                     // named records
};

constexpr std::array<int, kWorkingParamCount> InvertSlots()
{
    std::array<int, kWorkingParamCount> slotOfIndex{};
    for (int slot = 0; slot < kWorkingParamCount; ++slot)
        slotOfIndex[kIndexOfSlot[slot]] = slot;
    return slotOfIndex;
}

constexpr std::array<int, kWorkingParamCount> kSlotOfIndex = InvertSlots();

bool IsWorking(int index)
{
    return index >= 0 && index < kWorkingParamCount;
}
}

double ProgramParameters::Get(int index) const
{
    if (!IsWorking(index))
        return 0.0;
    const int slot = kSlotOfIndex[index];
    return slot < kPlainSlotCount ? plain[slot] : named[slot - kPlainSlotCount].value;
}

void ProgramParameters::Store(int index, double value)
{
    if (!IsWorking(index))
        return;
    const int slot = kSlotOfIndex[index];
    if (slot < kPlainSlotCount)
        plain[slot] = value;
    else
        named[slot - kPlainSlotCount].value = value;
}
