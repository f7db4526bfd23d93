#pragma once

#include <cstdint>

class PIX_IBitmap;

// Clips the segment to 0 <= x < width, 0 <= y < height; false when nothing of it is inside.
bool RasterClipLine(int32_t& x1, int32_t& y1, int32_t& x2, int32_t& y2, int32_t width, int32_t height);

// A line with both ends included, in one colour under the mode byte (0 to 5).
void RasterLine(PIX_IBitmap* bitmap, int32_t x1, int32_t y1, int32_t x2, int32_t y2, uint32_t colour, float alpha,
                uint32_t mode, bool antialias);

// The four sides from (x, y) to (x + width, y + height), without anti-aliasing.
void RasterRectOutline(PIX_IBitmap* bitmap, int32_t x, int32_t y, int32_t width, int32_t height, uint32_t colour,
                       float alpha, uint32_t mode);
