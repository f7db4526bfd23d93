#include "graphics/RasterBlur.h"

#include "graphics/RasterPixel.h"
#include "graphics/RasterRows.h"

#include <algorithm>
#include <memory>
#include <new>

namespace
{
constexpr int32_t kStackRowPixels = 1024;

// One neighbour on an axis weighs a quarter, two weigh an eighth each; the centre keeps half.
uint32_t Neighbours(const uint32_t* first, const uint32_t* second)
{
    if (first && second)
        return EighthWord(*first) + EighthWord(*second);
    return QuarterWord(first ? *first : *second);
}

// Softens one row. `unsoftened` may be `out` itself: each value is read before it is written.
void SoftenRow(uint32_t* out, const uint32_t* unsoftened, const uint32_t* above, const uint32_t* below, int32_t width)
{
    uint32_t left = 0;
    for (int32_t x = 0; x < width; ++x)
    {
        const uint32_t centre = unsoftened[x];
        const uint32_t right = x + 1 < width ? unsoftened[x + 1] : 0;
        const uint32_t horizontal = Neighbours(x > 0 ? &left : nullptr, x + 1 < width ? &right : nullptr);
        const uint32_t vertical = Neighbours(above ? above + x : nullptr, below ? below + x : nullptr);
        out[x] = HalfWord(centre) + horizontal + vertical;
        left = centre;
    }
}
}

void RasterBlur(PIX_IBitmap* bitmap, int32_t width, int32_t height)
{
    if (!bitmap || !RasterHasArea(*bitmap))
        return;
    width = std::min(width, bitmap->GetWidth());
    height = std::min(height, bitmap->GetHeight());
    if (width < 2 || height < 2)
        return;

    uint32_t stackRows[2 * kStackRowPixels];
    std::unique_ptr<uint32_t[]> heapRows;
    uint32_t* saved = stackRows;
    if (width > kStackRowPixels)
    {
        heapRows.reset(new (std::nothrow) uint32_t[2 * static_cast<size_t>(width)]);
        saved = heapRows.get();
    }

    uint32_t* const pixels = bitmap->GetPixelData();
    for (int32_t y = 0; y < height; ++y)
    {
        uint32_t* row = RasterRowPointer(*bitmap, pixels, y);
        const uint32_t* below = y + 1 < height ? RasterRowPointer(*bitmap, pixels, y + 1) : nullptr;
        if (!saved)
        {
            // Without memory for the copies the row above is read as already softened.
            SoftenRow(row, row, y > 0 ? RasterRowPointer(*bitmap, pixels, y - 1) : nullptr, below, width);
            continue;
        }
        uint32_t* current = saved + (y & 1) * static_cast<size_t>(width);
        const uint32_t* above = y > 0 ? saved + ((y - 1) & 1) * static_cast<size_t>(width) : nullptr;
        std::copy(row, row + width, current);
        SoftenRow(row, current, above, below, width);
    }
}
