// PNG images as the editor decodes them from resources: any bytes must give null or a bitmap
// of the size the header names, decoded without reading or writing outside the buffers.
#include "graphics/PIX_MemBitmap.h"
#include "graphics/PngDecoder.h"

#include <climits>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <memory>

namespace
{
// Images larger than this are skipped: the decoder would allocate them, which only measures
// the fuzzer's memory limit.
constexpr uint64_t kMaxPixels = 1u << 22;
constexpr size_t kWidthOffset = 16;

uint32_t BigEndian32(const uint8_t* p)
{
    return uint32_t{p[0]} << 24 | uint32_t{p[1]} << 16 | uint32_t{p[2]} << 8 | p[3];
}
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size > INT32_MAX)
        return 0;
    if (size >= kWidthOffset + 8
        && uint64_t{BigEndian32(data + kWidthOffset)} * BigEndian32(data + kWidthOffset + 4) > kMaxPixels)
        return 0;
    const std::unique_ptr<PIX_MemBitmap> bitmap(LoadPngFromMemory(data, static_cast<int32_t>(size)));
    if (!bitmap)
        return 0;
    if (bitmap->GetWidth() < 1 || bitmap->GetHeight() < 1 || !bitmap->GetPixelData()
        || uint32_t(bitmap->GetWidth()) != BigEndian32(data + kWidthOffset)
        || uint32_t(bitmap->GetHeight()) != BigEndian32(data + kWidthOffset + 4))
        std::abort();
    // Every pixel is read, so ASan sees any that lie outside the allocation.
    volatile uint32_t sum = 0;
    for (int32_t y = 0; y < bitmap->GetHeight(); ++y)
        for (int32_t x = 0; x < bitmap->GetWidth(); ++x)
            sum = sum + bitmap->GetPixelData()[int64_t{y} * bitmap->GetRowStride() + x];
    return 0;
}
