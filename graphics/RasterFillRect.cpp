#include "graphics/RasterFillRect.h"

#include "graphics/BlendPixel.h"
#include "graphics/RasterMode.h"
#include "graphics/RasterPixel.h"
#include "graphics/RasterRows.h"

#include <algorithm>

namespace
{
template <typename Combine>
void ForEachPixel(PIX_IBitmap& bitmap, int32_t x, int32_t y, int32_t width, int32_t height, Combine combine)
{
    uint32_t* const pixels = bitmap.GetPixelData();
    for (int32_t row = 0; row < height; ++row)
    {
        uint32_t* d = RasterRowPointer(bitmap, pixels, y + row) + x;
        for (int32_t i = 0; i < width; ++i)
            combine(d + i);
    }
}
}

void RasterFillRect(PIX_IBitmap* bitmap, int32_t x, int32_t y, int32_t width, int32_t height, uint32_t colour,
                    float alpha, uint32_t mode)
{
    if (!bitmap)
        return;
    if (mode & RasterModeSourceAlpha)
        alpha = alpha * (static_cast<float>(colour >> 24) / 255.0f);

    // In 64 bits: a far-left x must not wrap the width around.
    int64_t left = x, top = y, w64 = width, h64 = height;
    if (left < 0)
        w64 += left, left = 0;
    if (top < 0)
        h64 += top, top = 0;
    if (alpha == 0.0f || !RasterHasArea(*bitmap) || w64 < 1 || h64 < 1 || left >= bitmap->GetWidth()
        || top >= bitmap->GetHeight())
        return;
    const auto fillX = static_cast<int32_t>(left);
    const auto fillY = static_cast<int32_t>(top);
    const auto fillWidth = static_cast<int32_t>(std::min<int64_t>(w64, bitmap->GetWidth() - left));
    const auto fillHeight = static_cast<int32_t>(std::min<int64_t>(h64, bitmap->GetHeight() - top));
    const auto fill = [&](auto combine) { ForEachPixel(*bitmap, fillX, fillY, fillWidth, fillHeight, combine); };

    const int32_t w = RasterWeight(alpha);
    const uint32_t modeByte = mode & RasterModeByteMask;
    if (modeByte == RasterModeCopy
        && WithWholeWordMix(w, [&](auto mix) { fill([&](uint32_t* d) { *d = mix(*d, colour); }); }))
        return;
    if (w == 0)
        return;

    const int32_t r = PixelRed(colour), g = PixelGreen(colour), b = PixelBlue(colour);
    switch (modeByte)
    {
    case RasterModeCopy:
        if (w < 0)
            return;
        // The alpha byte moves towards the weight itself, not towards the colour's alpha.
        fill([=](uint32_t* d) {
            const uint32_t target = PixelWord(0, static_cast<uint32_t>(r), static_cast<uint32_t>(g), static_cast<uint32_t>(b));
            const int32_t da = PixelAlpha(*d);
            BlendPixelWeightedCopy(d, target, w);
            *d = (*d & 0x00FFFFFFu) | static_cast<uint32_t>(w + ((da - w) * (256 - w)) / 256) << RasterShiftAlpha;
        });
        return;
    case RasterModeMultiply:
        fill([=](uint32_t* d) {
            const auto scale = [w](int32_t byte, int32_t c) { return (byte * ((c - 256) * w + 65536)) >> 16; };
            *d = PixelWord(static_cast<uint32_t>(scale(PixelAlpha(*d), w)), static_cast<uint32_t>(scale(PixelRed(*d), r)),
                           static_cast<uint32_t>(scale(PixelGreen(*d), g)), static_cast<uint32_t>(scale(PixelBlue(*d), b)));
        });
        return;
    case RasterModeAdd:
    case RasterModeDodge:
    case RasterModeOverlay:
    case RasterModeHsvAdjust:
    {
        // The weight stands in for the source alpha as well.
        static constexpr decltype(&BlendPixelAdd) kByMode[] = {nullptr, BlendPixelAdd, BlendPixelDodge, nullptr,
                                                                BlendPixelOverlay, BlendPixelHsv};
        const auto blend = kByMode[modeByte];
        fill([=](uint32_t* d) { blend(d, r, g, b, w, w); });
        return;
    }
    default:
        return;
    }
}
