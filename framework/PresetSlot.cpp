#include "framework/PresetSlot.h"

#include "framework/BoundedCopy.h"

#include <utility>

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

void PresetSlot::Swap(PresetSlot& other)
{
    std::swap(initialised, other.initialised);
    std::swap(name, other.name);
    state.Swap(other.state);
}
