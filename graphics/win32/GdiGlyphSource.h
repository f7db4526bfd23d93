#pragma once

#include "graphics/PIX_IGlyphSource.h"

struct TextStyle;

// Glyphs and strings rendered by GDI from a font made for a text style: white on black on a
// render surface that all GDI sources of the process share, the red byte read as coverage.
// UI thread only.
class GdiGlyphSource : public PIX_IGlyphSource
{
public:
    // Null when GDI cannot make the font.
    static GdiGlyphSource* Create(const TextStyle& style);
    ~GdiGlyphSource() override;
    GdiGlyphSource(const GdiGlyphSource&) = delete;
    GdiGlyphSource& operator=(const GdiGlyphSource&) = delete;

    int32_t GetLineHeight() override { return mLineHeight; }
    bool RenderGlyph(uint32_t code, Coverage* out) override;
    bool CanRenderString() override { return true; }
    bool PrefersGlyphs() override;
    bool MeasureString(const char16_t* text, int32_t length, uint32_t flags, int32_t* width,
                       int32_t* height) override;
    bool RenderString(const char16_t* text, int32_t length, uint32_t flags, Coverage* out) override;

    // Render surfaces alive in the process (0 once the last source is gone).
    static int32_t SharedSurfaceCount();

private:
    explicit GdiGlyphSource(void* font);
    // Draws the text white on black at (x, 0) of a cleared area and reads its coverage.
    bool Render(const char16_t* text, int32_t length, uint32_t flags, int32_t x, int32_t width, int32_t height,
                Coverage* out);
    bool Measure(const char16_t* text, int32_t length, uint32_t flags, int32_t* width, int32_t* height);

    void* mFont;
    int32_t mLineHeight = 0;
};
