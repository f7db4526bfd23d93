#pragma once

#include <cstdint>

// A 32-bit raster surface. Pixels are words 0xAARRGGBB stored as the bytes blue, green,
// red, alpha, not premultiplied. Row y starts y * GetRowStride() pixels after GetPixelData();
// in a bottom-up bitmap row 0 is the bottom row.
class PIX_IBitmap
{
public:
    virtual ~PIX_IBitmap() = default;

    // Null when the bitmap has no storage.
    virtual uint32_t* GetPixelData() = 0;
    virtual int32_t GetWidth() = 0;
    virtual int32_t GetHeight() = 0;
    // Row length in pixels, never less than the width.
    virtual int32_t GetRowStride() = 0;
    virtual bool IsBottomUp() { return false; }
    // False when the size is unchanged (and, for some surfaces, when nothing could be made).
    virtual bool SetSize(int32_t width, int32_t height) = 0;
    // The GDI device context of a system bitmap; null for every other surface.
    virtual void* GetDeviceContext() { return nullptr; }
    virtual int ExtendedQuery(int32_t id, void* data)
    {
        (void)id;
        (void)data;
        return 0;
    }
};
