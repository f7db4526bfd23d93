#include "framework/PresetSlot.h"

#include "framework/BoundedCopy.h"

namespace
{
constexpr const char* kUnusedPresetName = "empty";
}

PresetSlot::PresetSlot()
{
    SetName(kUnusedPresetName);
}

void PresetSlot::SetName(const char* text)
{
    BoundedCopy(name, text, kNameSize);
}
