#pragma once

#include "graphics/PIX_IGlyphSource.h"

// Fixed glyphs of our own for builds without a platform text engine: every visible
// character is a solid block whose width depends on its code, one pixel clear of the line's
// top and bottom; a space has no ink. Text drawn with them can be checked pixel by pixel.
class BlockGlyphSource : public PIX_IGlyphSource
{
public:
    static constexpr int32_t kPad = 1;
    static constexpr int32_t kSpaceAdvance = 3;

    explicit BlockGlyphSource(int32_t lineHeight) : mLineHeight(lineHeight) {}

    int32_t GetLineHeight() override { return mLineHeight; }
    bool RenderGlyph(uint32_t code, Coverage* out) override;

    // The ink width of a character: 2, 3 or 4 pixels; 0 for a space.
    static int32_t InkWidth(uint32_t code);
    // The pen step after a character: its ink and one clear column.
    static int32_t Advance(uint32_t code);

private:
    int32_t mLineHeight;
};
