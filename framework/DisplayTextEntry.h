#pragma once

#include <cstdint>

// A text shown instead of the number for one integer value of a parameter.
struct DisplayTextEntry
{
    static constexpr int kTextSize = 32;

    int32_t value;
    char text[kTextSize];
};
static_assert(sizeof(DisplayTextEntry) == 36);
