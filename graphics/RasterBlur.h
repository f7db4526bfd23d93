#pragma once

#include <cstdint>

class PIX_IBitmap;

// Softens the top-left width x height pixels of the bitmap in place.
void RasterBlur(PIX_IBitmap* bitmap, int32_t width, int32_t height);
