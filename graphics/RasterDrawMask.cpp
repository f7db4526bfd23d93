#include "graphics/RasterDrawMask.h"

#include "graphics/BlendPixel.h"
#include "graphics/RasterMode.h"
#include "graphics/RasterRows.h"

#include <algorithm>

void RasterDrawMask(PIX_IBitmap* bitmap, int32_t x, int32_t y, uint32_t colour, const uint8_t* mask,
                    int32_t maskWidth, int32_t maskSpan, int32_t maskHeight, float alpha, uint32_t mode)
{
    if (!bitmap || !mask || !RasterHasArea(*bitmap))
        return;
    const int32_t w = RasterWeight(alpha);
    const BlendPixelFunction blend = BlendPixelForMode(mode & RasterModeByteMask);
    if (w == 0 || !blend || ((mode & RasterModeByteMask) == RasterModeCopy && w < 1))
        return;

    // In 64 bits, so that no position wraps.
    int64_t left = x, top = y, width = maskWidth, height = maskHeight, skipColumns = 0, skipRows = 0;
    if (left <= -width || top <= -height)
        return;
    if (left < 0)
        skipColumns = -left, width += left, left = 0;
    if (top < 0)
        skipRows = -top, height += top, top = 0;
    if (left >= bitmap->GetWidth() || top >= bitmap->GetHeight() || width < 1 || height < 1)
        return;
    width = std::min<int64_t>(width, bitmap->GetWidth() - left);
    height = std::min<int64_t>(height, bitmap->GetHeight() - top);

    uint32_t* const pixels = bitmap->GetPixelData();
    for (int64_t row = 0; row < height; ++row)
    {
        const uint8_t* m = mask + (skipRows + row) * maskSpan + skipColumns;
        uint32_t* d = RasterRowPointer(*bitmap, pixels, static_cast<int32_t>(top + row)) + left;
        for (int64_t i = 0; i < width; ++i)
            if (m[i] != 0)
                blend(d + i, colour, (m[i] * w) / 256);
    }
}
