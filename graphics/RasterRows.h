#pragma once

#include "graphics/PIX_IBitmap.h"

#include <cstdint>

// Row y counted from the top, whichever way the bitmap stores its rows. The caller has
// clipped y to the bitmap.
inline uint32_t* RasterRowPointer(PIX_IBitmap& bitmap, uint32_t* pixels, int32_t y)
{
    const int64_t row = bitmap.IsBottomUp() ? int64_t{bitmap.GetHeight()} - 1 - y : y;
    return pixels + row * bitmap.GetRowStride();
}

// True when the bitmap has pixels to draw on.
inline bool RasterHasArea(PIX_IBitmap& bitmap)
{
    return bitmap.GetPixelData() && bitmap.GetWidth() > 0 && bitmap.GetHeight() > 0
        && bitmap.GetRowStride() >= bitmap.GetWidth();
}
