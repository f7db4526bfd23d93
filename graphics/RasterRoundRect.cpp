#include "graphics/RasterRoundRect.h"
void RasterRoundRect(PIX_IBitmap*, float, float, float, float, uint32_t, float, uint32_t) {}
