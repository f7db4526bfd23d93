#pragma once

#include <cstdint>

class PIX_MemBitmap;

// Decodes a PNG image held in memory into a new bitmap; null for anything that is not a
// whole, valid PNG.
PIX_MemBitmap* LoadPngFromMemory(const void* data, int32_t size);
// Decodes a PNG file (UTF-8 path) into `into`, resized to the image, or into a new bitmap
// when `into` is null. Null on failure; a bitmap given as `into` is never deleted.
PIX_MemBitmap* LoadPngFromFile(const char* path, PIX_MemBitmap* into);
