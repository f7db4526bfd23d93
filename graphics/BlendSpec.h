#pragma once

#include <cstdint>

// How a control blends what it draws: the method picks the raster mode, the weight is the
// alpha handed to the raster library.
struct BlendSpec
{
    static constexpr int32_t kCopySourceAlpha = 0;
    static constexpr int32_t kCopy = 1;
    static constexpr int32_t kAdd = 2;
    static constexpr int32_t kColourDodge = 3;

    int32_t method = kCopySourceAlpha;
    float weight = 1.0f;
};

// The raster mode word for a blend; a null blend copies with source alpha.
uint32_t RasterModeOf(const BlendSpec* blend);
// The alpha for a blend; 1.0 for a null blend.
float RasterAlphaOf(const BlendSpec* blend);
