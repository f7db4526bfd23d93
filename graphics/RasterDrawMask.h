#pragma once

#include <cstdint>

class PIX_IBitmap;

// Draws an 8-bit coverage mask in the colour, its top-left at (x, y). A negative row span
// means the mask's rows run upward from the given pointer. Only the mode's low byte counts.
void RasterDrawMask(PIX_IBitmap* bitmap, int32_t x, int32_t y, uint32_t colour, const uint8_t* mask,
                    int32_t maskWidth, int32_t maskSpan, int32_t maskHeight, float alpha, uint32_t mode);
