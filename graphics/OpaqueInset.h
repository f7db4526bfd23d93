#pragma once

#include "graphics/BitmapStrip.h"

#include <cstdint>

// How far in from every edge of each frame of a strip all pixels are opaque: 0 for frames opaque
// to their edges, a few pixels for rounded corners, kNotOpaque for images with transparency
// further in (or frames that do not divide the image evenly).
namespace OpaqueInset
{
inline constexpr int32_t kWidest = 8;
inline constexpr int32_t kNotOpaque = -1;

int32_t Of(const BitmapStrip& strip);
}
