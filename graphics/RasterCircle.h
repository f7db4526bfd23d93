#pragma once

#include <cstdint>

class PIX_IBitmap;

// Anti-aliased circle outline. Angles of arcs are radians, 0 pointing up, growing clockwise.
void RasterCircle(PIX_IBitmap* bitmap, float cx, float cy, float r, uint32_t colour, float alpha, uint32_t mode);
void RasterArc(PIX_IBitmap* bitmap, float cx, float cy, float r, float startAngle, float endAngle, uint32_t colour,
               float alpha, uint32_t mode);
