#include "graphics/BlendPixel.h"
void BlendPixelCopyAlpha(uint32_t*, int32_t, int32_t, int32_t, int32_t, int32_t) {}
void BlendPixelAdd(uint32_t*, int32_t, int32_t, int32_t, int32_t, int32_t) {}
void BlendPixelAddAlpha(uint32_t*, int32_t, int32_t, int32_t, int32_t, int32_t) {}
void BlendPixelDodge(uint32_t*, int32_t, int32_t, int32_t, int32_t, int32_t) {}
void BlendPixelDodgeAlpha(uint32_t*, int32_t, int32_t, int32_t, int32_t, int32_t) {}
void BlendPixelMultiplyAlpha(uint32_t*, int32_t, int32_t, int32_t, int32_t, int32_t) {}
void BlendPixelOverlay(uint32_t*, int32_t, int32_t, int32_t, int32_t, int32_t) {}
void BlendPixelHsv(uint32_t*, int32_t, int32_t, int32_t, int32_t, int32_t) {}
void BlendPixelWeightedCopy(uint32_t*, uint32_t, int32_t) {}
void BlendPixelMultiply(uint32_t*, uint32_t, int32_t) {}
void BlendPixelCopyAlphaWeighted(uint32_t*, uint32_t, int32_t) {}
