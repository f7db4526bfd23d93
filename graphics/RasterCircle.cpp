#include "graphics/RasterCircle.h"
void RasterCircle(PIX_IBitmap*, float, float, float, uint32_t, float, uint32_t) {}
void RasterArc(PIX_IBitmap*, float, float, float, float, float, uint32_t, float, uint32_t) {}
