#include "graphics/RasterFillRect.h"
void RasterFillRect(PIX_IBitmap*, int32_t, int32_t, int32_t, int32_t, uint32_t, float, uint32_t) {}
