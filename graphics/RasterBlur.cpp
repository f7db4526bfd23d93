#include "graphics/RasterBlur.h"
void RasterBlur(PIX_IBitmap*, int32_t, int32_t) {}
