#pragma once

#include <cstdint>

class PIX_IBitmap;

// Rounded-rectangle outline with corners of radius up to 3; small ones become a plain outline.
void RasterRoundRect(PIX_IBitmap* bitmap, float x, float y, float width, float height, uint32_t colour, float alpha,
                     uint32_t mode);
