#pragma once

#include "framework/StateChunk.h"

// One of the base's presets: a name and the plug-in state it restores.
struct PresetSlot
{
    static constexpr int kNameSize = 256;

    PresetSlot();
    PresetSlot(const PresetSlot&) = delete;
    PresetSlot& operator=(const PresetSlot&) = delete;

    // Copies at most kNameSize - 1 characters.
    void SetName(const char* text);
    // Exchanges name, flag and state with another slot; the states are not copied.
    void Swap(PresetSlot& other);

    bool initialised = false;
    char name[kNameSize];
    StateChunk state;
};
