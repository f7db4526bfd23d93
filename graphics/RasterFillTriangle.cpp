#include "graphics/RasterFillTriangle.h"
void RasterFillTriangle(PIX_IBitmap*, const int32_t*, const int32_t*, uint32_t, float, uint32_t) {}
