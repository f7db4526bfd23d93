#include "graphics/RasterBlit.h"

#include "graphics/BlendPixel.h"
#include "graphics/PIX_IBitmap.h"
#include "graphics/RasterMode.h"
#include "graphics/RasterPixel.h"
#include "graphics/RasterRows.h"

#include <algorithm>
#include <cstring>

namespace
{
struct BlitArea
{
    int32_t destinationX;
    int32_t destinationY;
    int32_t sourceX;
    int32_t sourceY;
    int32_t width;
    int32_t height;
};

// Clips the source rectangle against both bitmaps, in 64 bits so that no position, however
// far outside, can wrap. False when nothing is left to draw.
bool ClipBlit(PIX_IBitmap& destination, PIX_IBitmap& source, int32_t x, int32_t y, const RasterRect* sourceRect,
              BlitArea& area)
{
    int64_t left = 0, top = 0, right = source.GetWidth(), bottom = source.GetHeight();
    int64_t dx = x, dy = y;
    if (sourceRect)
    {
        left = sourceRect->left;
        top = sourceRect->top;
        right = std::min<int64_t>(sourceRect->right, source.GetWidth());
        bottom = std::min<int64_t>(sourceRect->bottom, source.GetHeight());
        if (left < 0)
            dx -= left, left = 0;
        if (top < 0)
            dy -= top, top = 0;
    }
    if (dx < 0)
        left -= dx, dx = 0;
    if (dy < 0)
        top -= dy, dy = 0;
    if (right <= left || bottom <= top || dx >= destination.GetWidth() || dy >= destination.GetHeight())
        return false;
    right = std::min(right, left + (destination.GetWidth() - dx));
    bottom = std::min(bottom, top + (destination.GetHeight() - dy));
    if (right <= left || bottom <= top || !RasterHasArea(destination) || !RasterHasArea(source))
        return false;
    area = {static_cast<int32_t>(dx),          static_cast<int32_t>(dy),
            static_cast<int32_t>(left),        static_cast<int32_t>(top),
            static_cast<int32_t>(right - left), static_cast<int32_t>(bottom - top)};
    return true;
}

template <typename Combine>
void ForEachPixel(PIX_IBitmap& destination, PIX_IBitmap& source, const BlitArea& area, Combine combine)
{
    uint32_t* const destinationPixels = destination.GetPixelData();
    uint32_t* const sourcePixels = source.GetPixelData();
    for (int32_t row = 0; row < area.height; ++row)
    {
        uint32_t* d = RasterRowPointer(destination, destinationPixels, area.destinationY + row) + area.destinationX;
        const uint32_t* s = RasterRowPointer(source, sourcePixels, area.sourceY + row) + area.sourceX;
        for (int32_t i = 0; i < area.width; ++i)
            combine(d + i, s[i]);
    }
}

void CopyRows(PIX_IBitmap& destination, PIX_IBitmap& source, const BlitArea& area)
{
    uint32_t* const destinationPixels = destination.GetPixelData();
    uint32_t* const sourcePixels = source.GetPixelData();
    const auto rowBytes = static_cast<size_t>(area.width) * sizeof(uint32_t);
    for (int32_t row = 0; row < area.height; ++row)
        std::memmove(RasterRowPointer(destination, destinationPixels, area.destinationY + row) + area.destinationX,
                     RasterRowPointer(source, sourcePixels, area.sourceY + row) + area.sourceX, rowBytes);
}

// Control images are mostly runs of opaque or fully transparent pixels: an opaque run is copied
// whole, a transparent one skipped, and only the pixels between them are blended.
void CopySourceAlphaRuns(PIX_IBitmap& destination, PIX_IBitmap& source, const BlitArea& area)
{
    constexpr uint32_t kOpaque = 255;
    uint32_t* const destinationPixels = destination.GetPixelData();
    uint32_t* const sourcePixels = source.GetPixelData();
    for (int32_t row = 0; row < area.height; ++row)
    {
        uint32_t* d = RasterRowPointer(destination, destinationPixels, area.destinationY + row) + area.destinationX;
        const uint32_t* s = RasterRowPointer(source, sourcePixels, area.sourceY + row) + area.sourceX;
        int32_t i = 0;
        while (i < area.width)
        {
            const uint32_t a = s[i] >> RasterShiftAlpha;
            int32_t end = i + 1;
            if (a == kOpaque || a == 0)
            {
                while (end < area.width && s[end] >> RasterShiftAlpha == a)
                    ++end;
                if (a == kOpaque)
                    std::memmove(d + i, s + i, static_cast<size_t>(end - i) * sizeof(uint32_t));
            }
            else
            {
                BlendPixelCopyAlpha(d + i, PixelRed(s[i]), PixelGreen(s[i]), PixelBlue(s[i]), static_cast<int32_t>(a),
                                    256);
            }
            i = end;
        }
    }
}

void BlitSourceAlpha(PIX_IBitmap& destination, PIX_IBitmap& source, const BlitArea& area, uint32_t modeByte,
                     int32_t w)
{
    switch (modeByte)
    {
    case RasterModeCopy:
        if (w == 256)
            CopySourceAlphaRuns(destination, source, area);
        else
        {
            ForEachPixel(destination, source, area, [w](uint32_t* d, uint32_t s) { BlendPixelCopyAlphaWeighted(d, s, w); });
        }
        return;
    case RasterModeAdd:
    case RasterModeDodge:
    case RasterModeMultiply:
    {
        static constexpr decltype(&BlendPixelAddAlpha) kByMode[] = {nullptr, BlendPixelAddAlpha, BlendPixelDodgeAlpha,
                                                                     BlendPixelMultiplyAlpha};
        const auto blend = kByMode[modeByte];
        ForEachPixel(destination, source, area, [w, blend](uint32_t* d, uint32_t s) {
            blend(d, PixelRed(s), PixelGreen(s), PixelBlue(s), PixelAlpha(s), w);
        });
        return;
    }
    case RasterModeOverlay:
    case RasterModeHsvAdjust:
    {
        const BlendPixelFunction blend = BlendPixelForMode(modeByte);
        ForEachPixel(destination, source, area,
                     [w, blend](uint32_t* d, uint32_t s) { blend(d, s, ((PixelAlpha(s) + 1) * w) / 256); });
        return;
    }
    default:
        return;
    }
}
}

void RasterBlit(PIX_IBitmap* destination, PIX_IBitmap* source, int32_t x, int32_t y, const RasterRect* sourceRect,
                float alpha, uint32_t mode)
{
    if (!destination || !source || alpha == 0.0f)
        return;
    BlitArea area{};
    if (!ClipBlit(*destination, *source, x, y, sourceRect, area))
        return;

    const uint32_t modeByte = mode & RasterModeByteMask;
    if (modeByte >= RasterModeChannelCopy)
    {
        const int destinationShift = static_cast<int>((modeByte >> 2) & 3) * 8;
        const int sourceShift = static_cast<int>(modeByte & 3) * 8;
        const uint32_t keep = ~(0xFFu << destinationShift);
        ForEachPixel(*destination, *source, area, [=](uint32_t* d, uint32_t s) {
            *d = (*d & keep) | ((s >> sourceShift & 0xFF) << destinationShift);
        });
        return;
    }

    const bool sourceAlpha = (mode & RasterModeSourceAlpha) != 0;
    if (modeByte == RasterModeCopy && !sourceAlpha)
    {
        if (alpha == 1.0f)
        {
            CopyRows(*destination, *source, area);
            return;
        }
        if (alpha == 0.5f)
        {
            ForEachPixel(*destination, *source, area, [](uint32_t* d, uint32_t s) { *d = MixHalf(*d, s); });
            return;
        }
    }

    const int32_t w = RasterWeight(alpha);
    if (w == 0)
        return;
    if (sourceAlpha)
    {
        BlitSourceAlpha(*destination, *source, area, modeByte, w);
        return;
    }
    if (modeByte == RasterModeCopy)
    {
        if (w == 256)
            ForEachPixel(*destination, *source, area, [](uint32_t* d, uint32_t s) { *d = s; });
        else if (w > 0)
            ForEachPixel(*destination, *source, area, [w](uint32_t* d, uint32_t s) { BlendPixelWeightedCopy(d, s, w); });
        return;
    }
    if (const BlendPixelFunction blend = BlendPixelForMode(modeByte))
        ForEachPixel(*destination, *source, area, [w, blend](uint32_t* d, uint32_t s) { blend(d, s, w); });
}
