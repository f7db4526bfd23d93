#include "graphics/RasterLine.h"
bool RasterClipLine(int32_t&, int32_t&, int32_t&, int32_t&, int32_t, int32_t) { return false; }
void RasterLine(PIX_IBitmap*, int32_t, int32_t, int32_t, int32_t, uint32_t, float, uint32_t, bool) {}
void RasterRectOutline(PIX_IBitmap*, int32_t, int32_t, int32_t, int32_t, uint32_t, float, uint32_t) {}
