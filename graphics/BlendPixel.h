#pragma once

#include <cstdint>

// Per-pixel blends of one destination pixel with a source colour given as its bytes r, g, b,
// a and an integer weight w (256 is full). Divisions by 256 truncate toward zero.

// Full weight, honouring the source alpha; w is not read.
void BlendPixelCopyAlpha(uint32_t* pixel, int32_t r, int32_t g, int32_t b, int32_t a, int32_t w);
void BlendPixelAdd(uint32_t* pixel, int32_t r, int32_t g, int32_t b, int32_t a, int32_t w);
void BlendPixelAddAlpha(uint32_t* pixel, int32_t r, int32_t g, int32_t b, int32_t a, int32_t w);
void BlendPixelDodge(uint32_t* pixel, int32_t r, int32_t g, int32_t b, int32_t a, int32_t w);
void BlendPixelDodgeAlpha(uint32_t* pixel, int32_t r, int32_t g, int32_t b, int32_t a, int32_t w);
void BlendPixelMultiplyAlpha(uint32_t* pixel, int32_t r, int32_t g, int32_t b, int32_t a, int32_t w);
void BlendPixelOverlay(uint32_t* pixel, int32_t r, int32_t g, int32_t b, int32_t a, int32_t w);
// The source's red, green and blue shift the destination's hue, saturation and value
// (128 is neutral); the result's alpha is a.
void BlendPixelHsv(uint32_t* pixel, int32_t r, int32_t g, int32_t b, int32_t a, int32_t w);

// Weighted copy of every byte towards the source: d = s + (d - s) * (256 - w) / 256.
// Inline: it is the inner loop of weighted blits.
inline void BlendPixelWeightedCopy(uint32_t* pixel, uint32_t source, int32_t w)
{
    const uint32_t d = *pixel;
    uint32_t out = 0;
    for (int shift = 0; shift < 32; shift += 8)
    {
        const auto db = static_cast<int32_t>(d >> shift & 0xFF);
        const auto sb = static_cast<int32_t>(source >> shift & 0xFF);
        out |= (static_cast<uint32_t>(sb + ((db - sb) * (256 - w)) / 256) & 0xFF) << shift;
    }
    *pixel = out;
}
// Multiply of every byte: d = ((s * w + (256 - w) * 256) * d) >> 16.
void BlendPixelMultiply(uint32_t* pixel, uint32_t source, int32_t w);
// Copy with source alpha at a weight other than 256.
void BlendPixelCopyAlphaWeighted(uint32_t* pixel, uint32_t source, int32_t w);

// One pixel combined with a colour word at a weight, for the modes 0 to 5 of the mode byte:
// weighted copy, add, dodge, multiply, overlay, HSV.
using BlendPixelFunction = void (*)(uint32_t* pixel, uint32_t colour, int32_t w);
// Null for a mode byte above 5.
BlendPixelFunction BlendPixelForMode(uint32_t modeByte);
