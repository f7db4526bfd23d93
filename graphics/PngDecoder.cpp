#include "graphics/PngDecoder.h"
PIX_MemBitmap* LoadPngFromMemory(const void*, int32_t) { return nullptr; }
PIX_MemBitmap* LoadPngFromFile(const char*, PIX_MemBitmap*) { return nullptr; }
