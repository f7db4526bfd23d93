#include "graphics/OpaqueInset.h"

#include "graphics/PIX_IBitmap.h"
#include "graphics/RasterPixel.h"
#include "graphics/RasterRows.h"

#include <algorithm>

int32_t OpaqueInset::Of(const BitmapStrip& strip)
{
    constexpr uint32_t kOpaque = 255;
    PIX_IBitmap* bitmap = strip.bitmap;
    const int32_t frameWidth = strip.FrameWidth();
    const int32_t frameHeight = strip.FrameHeight();
    if (!bitmap || strip.frames < 1 || frameWidth <= 0 || frameHeight <= 0 || bitmap->GetWidth() < strip.width ||
        bitmap->GetHeight() < strip.height)
        return kNotOpaque;
    const bool evenFrames = strip.sideBySide ? frameWidth * strip.frames == strip.width
                                             : frameHeight * strip.frames == strip.height;
    if (!evenFrames)
        return kNotOpaque;
    uint32_t* const pixels = bitmap->GetPixelData();
    int32_t inset = 0;
    for (int32_t y = 0; y < strip.height; ++y)
    {
        const uint32_t* row = RasterRowPointer(*bitmap, pixels, y);
        const int32_t frameY = strip.sideBySide ? y : y % frameHeight;
        for (int32_t x = 0; x < strip.width; ++x)
        {
            if (row[x] >> RasterShiftAlpha == kOpaque)
                continue;
            const int32_t frameX = strip.sideBySide ? x % frameWidth : x;
            const int32_t edge = std::min({frameX, frameY, frameWidth - 1 - frameX, frameHeight - 1 - frameY});
            if (edge >= kWidest)
                return kNotOpaque;
            inset = std::max(inset, edge + 1);
        }
    }
    return inset;
}
