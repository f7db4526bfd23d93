#pragma once

#include "graphics/RasterMode.h"

#include <cstdint>

class IGraphics;

// A line of the product displays into the editor's draw surface, without anti-aliasing;
// copying with source alpha unless another raster mode is given.
void DrawControlLine(IGraphics* graphics, int32_t x1, int32_t y1, int32_t x2, int32_t y2, uint32_t colour,
                     float weight = 1.0f, uint32_t mode = RasterModeSourceAlpha);
