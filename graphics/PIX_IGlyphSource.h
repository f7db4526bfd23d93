#pragma once

#include <cstdint>
#include <vector>

// Where a font's glyphs come from: one character at a time as 8-bit coverage, and on
// platforms whose text engine can do it, a whole string at once. The GDI source serves the
// Windows build; the block source (fixed glyphs) serves the native build and its tests.
class PIX_IGlyphSource
{
public:
    // A rendered character or string: `width` x `height` coverage bytes, rows top-down. A
    // glyph is rendered `pad` pixels in from the left; `advance` is the pen step after it.
    struct Coverage
    {
        std::vector<uint8_t> pixels;
        int32_t width = 0;
        int32_t height = 0;
        int32_t advance = 0;
        int32_t pad = 0;
    };

    virtual ~PIX_IGlyphSource() = default;

    // The font's line height in pixels.
    virtual int32_t GetLineHeight() = 0;
    // Renders one character (a Unicode code point); false when it cannot.
    virtual bool RenderGlyph(uint32_t code, Coverage* out) = 0;
    // Whole-string rendering, for the platform text path; UTF-16 text and DT_ format flags.
    virtual bool CanRenderString() { return false; }
    // True when plain text should still go through glyphs (where the platform's text engine
    // is only emulated and its string output is not trusted).
    virtual bool PrefersGlyphs() { return true; }
    virtual bool MeasureString(const char16_t* text, int32_t length, uint32_t flags, int32_t* width, int32_t* height);
    virtual bool RenderString(const char16_t* text, int32_t length, uint32_t flags, Coverage* out);
};
