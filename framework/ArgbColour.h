#pragma once

#include <cstdint>

// A colour as four 0..255 components; packed pixels are 0xAARRGGBB.
struct ArgbColour
{
    int32_t a;
    int32_t r;
    int32_t g;
    int32_t b;
};
