#pragma once

#include <array>
#include <cstdint>

// Pixel words are 0xAARRGGBB; these name the byte positions and build words from bytes.
inline constexpr int RasterShiftBlue = 0;
inline constexpr int RasterShiftGreen = 8;
inline constexpr int RasterShiftRed = 16;
inline constexpr int RasterShiftAlpha = 24;

constexpr uint32_t PixelWord(uint32_t a, uint32_t r, uint32_t g, uint32_t b)
{
    return (a & 0xFF) << RasterShiftAlpha | (r & 0xFF) << RasterShiftRed | (g & 0xFF) << RasterShiftGreen
         | (b & 0xFF);
}

constexpr int32_t PixelAlpha(uint32_t p) { return static_cast<int32_t>(p >> RasterShiftAlpha & 0xFF); }
constexpr int32_t PixelRed(uint32_t p) { return static_cast<int32_t>(p >> RasterShiftRed & 0xFF); }
constexpr int32_t PixelGreen(uint32_t p) { return static_cast<int32_t>(p >> RasterShiftGreen & 0xFF); }
constexpr int32_t PixelBlue(uint32_t p) { return static_cast<int32_t>(p & 0xFF); }

// Whole-word mixes, four bytes at once: the shifted-out bits of each byte are masked off,
// so each result byte is a truncated mix of the two bytes.
constexpr uint32_t HalfWord(uint32_t p) { return (p >> 1) & 0x7F7F7F7Fu; }
constexpr uint32_t QuarterWord(uint32_t p) { return (p >> 2) & 0x3F3F3F3Fu; }
constexpr uint32_t EighthWord(uint32_t p) { return (p >> 3) & 0x1F1F1F1Fu; }

// d at 1/2, c at 1/2.
constexpr uint32_t MixHalf(uint32_t d, uint32_t c) { return HalfWord(d) + HalfWord(c); }
// d at 3/4, c at 1/4.
constexpr uint32_t MixQuarter(uint32_t d, uint32_t c) { return HalfWord(d) + QuarterWord(d) + QuarterWord(c); }
// d at 1/4, c at 3/4.
constexpr uint32_t MixThreeQuarters(uint32_t d, uint32_t c) { return QuarterWord(d) + QuarterWord(c) + HalfWord(c); }

// The 256-entry reciprocal table: entry 0 is 0, entry i is floor(65536 / i) - 1.
extern const std::array<uint16_t, 256> RasterReciprocal;

// Copy at the weights 256, 128, 64 and 192 works on whole words: calls use(mix) with the
// mix of that weight (a callable (d, c) -> word) and answers true; false for other weights.
template <typename Use>
bool WithWholeWordMix(int32_t w, Use use)
{
    switch (w)
    {
    case 256:
        use([](uint32_t, uint32_t c) { return c; });
        return true;
    case 128:
        use([](uint32_t d, uint32_t c) { return MixHalf(d, c); });
        return true;
    case 64:
        use([](uint32_t d, uint32_t c) { return MixQuarter(d, c); });
        return true;
    case 192:
        use([](uint32_t d, uint32_t c) { return MixThreeQuarters(d, c); });
        return true;
    default:
        return false;
    }
}
