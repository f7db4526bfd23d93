#include "graphics/RasterDrawMask.h"
void RasterDrawMask(PIX_IBitmap*, int32_t, int32_t, uint32_t, const uint8_t*, int32_t, int32_t, int32_t, float, uint32_t) {}
