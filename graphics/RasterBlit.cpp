#include "graphics/RasterBlit.h"
void RasterBlit(PIX_IBitmap*, PIX_IBitmap*, int32_t, int32_t, const RasterRect*, float, uint32_t) {}
