#pragma once

#include "graphics/Rect.h"

#include <cstdint>

class PIX_IBitmap;
class PIX_IGlyphSource;

// Text drawing into 32-bit bitmaps. Format flags carry the platform text-drawing meanings
// (the DT_ values below).
class PIX_IFont
{
public:
    static constexpr uint32_t kFormatCentre = 0x1;        // DT_CENTER
    static constexpr uint32_t kFormatRight = 0x2;         // DT_RIGHT
    static constexpr uint32_t kFormatVCentre = 0x4;       // DT_VCENTER
    static constexpr uint32_t kFormatBottom = 0x8;        // DT_BOTTOM
    static constexpr uint32_t kFormatSingleLine = 0x20;   // DT_SINGLELINE
    static constexpr uint32_t kFormatNoClip = 0x100;      // DT_NOCLIP
    static constexpr uint32_t kFormatCalcRect = 0x400;    // DT_CALCRECT
    static constexpr uint32_t kFormatNoPrefix = 0x800;    // DT_NOPREFIX
    // The text colour's alpha scales the drawing weight.
    static constexpr uint32_t kFormatColourAlpha = 0x40000000;
    // Forces the glyph path; cleared before the flags are used.
    static constexpr uint32_t kFormatGlyphPathOnly = 0x80000000;

    // Font flags.
    static constexpr int32_t kFontOwned = 0x200;
    static constexpr int32_t kFontPlatformText = 0x400;
    static constexpr int32_t kFontPrerenderAscii = 4;
    static constexpr int32_t kFontInvertCoverage = 32;
    // Flags under which only the glyph path renders correctly.
    static constexpr int32_t kFontGlyphOnlyFlags = 0x1F7;

    virtual ~PIX_IFont() = default;

    // Hands the glyph source to the font (owned when kFontOwned is set) and empties the caches.
    virtual void SetFont(PIX_IGlyphSource* source, int32_t flags) = 0;
    // Returns the previous colour.
    virtual uint32_t SetTextColour(uint32_t colour) = 0;
    // Raster mode word (low byte) and weight of the glyph blend.
    virtual void SetBlendMode(int32_t mode, float alpha) = 0;
    // Draws (or with kFormatCalcRect, measures into `rect`) `length` bytes of UTF-8 text, -1 for
    // zero-terminated. Returns the text height, 0 when nothing could be done.
    virtual int32_t DrawText(PIX_IBitmap* bitmap, const char* text, int32_t length, Rect* rect, uint32_t flags) = 0;
    virtual uint32_t GetTextColour() = 0;
    virtual PIX_IGlyphSource* GetFontHandle() = 0;
    virtual int32_t GetLineHeight() = 0;
};
