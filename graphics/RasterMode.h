#pragma once

#include <cstdint>

// The raster mode word. The low byte picks the blend; bit 16 makes blits weigh each source
// pixel by its own alpha and fills scale their weight by the colour's alpha.
inline constexpr uint32_t RasterModeCopy = 0;
inline constexpr uint32_t RasterModeAdd = 1;
inline constexpr uint32_t RasterModeDodge = 2;
inline constexpr uint32_t RasterModeMultiply = 3;
inline constexpr uint32_t RasterModeOverlay = 4;
inline constexpr uint32_t RasterModeHsvAdjust = 5;
// 0xF0 to 0xFF, blits only: bits 2-3 name the destination byte, bits 0-1 the source byte.
inline constexpr uint32_t RasterModeChannelCopy = 0xF0;
inline constexpr uint32_t RasterModeSourceAlpha = 0x10000;

inline constexpr uint32_t RasterModeByteMask = 0xFF;

// The integer weight of a float alpha: trunc(alpha * 256), so 1.0 gives 256 and 0.5 gives 128.
// Alphas beyond +-16 saturate, so that no blend formula can overflow.
int32_t RasterWeight(float alpha);
