#pragma once

#include "graphics/BlendPixel.h"
#include "graphics/PIX_IBitmap.h"
#include "graphics/RasterPixel.h"

#include <algorithm>
#include <cstdint>
#include <limits>

// trunc(v) saturated to the int32 range; NaN gives 0. Float coordinates far outside any
// bitmap must not make the conversion undefined.
inline int32_t RasterTrunc(double v)
{
    if (!(v == v))
        return 0;
    return static_cast<int32_t>(std::clamp(v, -2147483648.0, 2147483647.0));
}

// What the primitives draw on: the pixels addressed by stored row, and the colour, weight
// and blend of one call. Primitives flip y themselves for bottom-up bitmaps.
struct RasterCanvas
{
    uint32_t* pixels;
    int64_t stride;
    int32_t width;
    int32_t height;
    bool bottomUp;

    uint32_t* At(int32_t x, int32_t y) const { return pixels + y * stride + x; }
    bool Contains(int32_t x, int32_t y) const { return x >= 0 && x < width && y >= 0 && y < height; }

    // The stored row of a top-down y, saturated so that a far-away coordinate cannot wrap.
    int32_t StoredY(int32_t y) const
    {
        if (!bottomUp)
            return y;
        const int64_t flipped = int64_t{height} - 1 - y;
        return static_cast<int32_t>(std::clamp<int64_t>(flipped, std::numeric_limits<int32_t>::min(),
                                                        std::numeric_limits<int32_t>::max()));
    }
    float StoredY(float y) const { return bottomUp ? static_cast<float>(height - 1) - y : y; }
};

// False when the bitmap is missing or has nothing to draw on.
inline bool MakeRasterCanvas(PIX_IBitmap* bitmap, RasterCanvas& canvas)
{
    if (!bitmap || !bitmap->GetPixelData() || bitmap->GetWidth() < 1 || bitmap->GetHeight() < 1
        || bitmap->GetRowStride() < bitmap->GetWidth())
        return false;
    canvas = {bitmap->GetPixelData(), bitmap->GetRowStride(), bitmap->GetWidth(), bitmap->GetHeight(),
              bitmap->IsBottomUp()};
    return true;
}

// One colour under one mode byte: `Blend` combines a pixel at any weight; `Solid` at the call's
// own weight, with the whole-word shortcuts of the copy mode at full and half weight.
struct RasterPen
{
    uint32_t colour;
    int32_t w;
    uint32_t modeByte;
    BlendPixelFunction blend;

    void Blend(uint32_t* pixel, int32_t weight) const { blend(pixel, colour, weight); }

    void Solid(uint32_t* pixel) const
    {
        if (modeByte != 0)
            blend(pixel, colour, w);
        else if (w == 256)
            *pixel = colour;
        else if (w == 128)
            *pixel = AverageBytes(*pixel, colour);
        else
            blend(pixel, colour, w);
    }

    // Each byte (d + c) >> 1.
    static uint32_t AverageBytes(uint32_t d, uint32_t c) { return (d & c) + ((d ^ c) >> 1 & 0x7F7F7F7Fu); }
};

// False when nothing is to be drawn: zero weight, a mode byte above 5, or copy at a weight below 1.
inline bool MakeRasterPen(uint32_t colour, int32_t w, uint32_t mode, RasterPen& pen)
{
    const uint32_t modeByte = mode & 0xFF;
    pen = {colour, w, modeByte, BlendPixelForMode(modeByte)};
    return w != 0 && pen.blend && !(modeByte == 0 && w < 1);
}
