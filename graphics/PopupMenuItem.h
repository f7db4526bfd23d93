#pragma once

#include "framework/GrowString.h"

#include <cstdint>

class PopupMenu;

// One entry of a popup menu: its text, an optional submenu (not owned) and its flags.
struct PopupMenuItem
{
    static constexpr int32_t kGreyed = 1;
    static constexpr int32_t kDisabled = 2;
    static constexpr int32_t kChecked = 4;
    static constexpr int32_t kSeparator = 8;
    static constexpr int32_t kTextGranularity = 128;

    explicit PopupMenuItem(const char* itemText = "", int32_t itemFlags = 0, PopupMenu* itemSubmenu = nullptr);

    GrowString text{kTextGranularity};
    PopupMenu* submenu = nullptr;
    int32_t flags = 0;
};
