#include "graphics/BlockGlyphSource.h"

#include <cstddef>

namespace
{
constexpr uint32_t kSpace = ' ';
constexpr int32_t kWidthSteps = 3;
constexpr int32_t kNarrowest = 2;
constexpr uint8_t kInk = 255;
}

int32_t BlockGlyphSource::InkWidth(uint32_t code)
{
    return code == kSpace ? 0 : kNarrowest + static_cast<int32_t>(code % kWidthSteps);
}

int32_t BlockGlyphSource::Advance(uint32_t code)
{
    return code == kSpace ? kSpaceAdvance : InkWidth(code) + 1;
}

bool BlockGlyphSource::RenderGlyph(uint32_t code, Coverage* out)
{
    if (!out || mLineHeight <= 0)
        return false;
    const int32_t ink = InkWidth(code);
    out->width = ink + 2 * kPad;
    out->height = mLineHeight;
    out->advance = Advance(code);
    out->pad = kPad;
    out->pixels.assign(static_cast<size_t>(out->width) * out->height, 0);
    for (int32_t y = 1; y < mLineHeight - 1; ++y)
        for (int32_t x = kPad; x < kPad + ink; ++x)
            out->pixels[static_cast<size_t>(y) * out->width + x] = kInk;
    return true;
}
