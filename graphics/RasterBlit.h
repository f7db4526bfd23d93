#pragma once

#include <cstdint>

class PIX_IBitmap;

struct RasterRect
{
    int32_t left;
    int32_t top;
    int32_t right;
    int32_t bottom;
};

// Copies the source rectangle (the whole source when null) to (x, y) of the destination
// under the mode word, at weight trunc(alpha * 256). Clips to both bitmaps; draws nothing for
// missing bitmaps, zero alpha or unknown modes.
void RasterBlit(PIX_IBitmap* destination, PIX_IBitmap* source, int32_t x, int32_t y,
                const RasterRect* sourceRect, float alpha, uint32_t mode);
