#pragma once

#include <cstdint>

class PIX_IBitmap;

// Fills a rectangle with the colour under the mode word; clipped to the bitmap.
void RasterFillRect(PIX_IBitmap* bitmap, int32_t x, int32_t y, int32_t width, int32_t height, uint32_t colour,
                    float alpha, uint32_t mode);
