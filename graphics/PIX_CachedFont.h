#pragma once

#include "framework/GrowBuffer.h"
#include "graphics/PIX_IFont.h"
#include "graphics/PIX_IGlyphSource.h"

#include <array>
#include <cstdint>

// A font that renders each character once into an 8-bit coverage glyph, keeps the glyphs
// in a pool, and blends them onto bitmaps in the text colour under a raster mode and weight.
// Plain opaque text may instead be rendered whole by the platform's text engine.
// UI thread only.
class PIX_CachedFont : public PIX_IFont
{
public:
    // Glyphs need a line height below this; larger fonts are never rendered as glyphs.
    static constexpr int32_t kMaxGlyphLineHeight = 1024;
    // From this line height on, text goes through the platform text path.
    static constexpr int32_t kPlatformTextLineHeight = 256;
    static constexpr int32_t kGlyphListGranularity = 4096;
    static constexpr int32_t kPoolGranularity = 65536;

    PIX_CachedFont();
    ~PIX_CachedFont() override;
    PIX_CachedFont(const PIX_CachedFont&) = delete;
    PIX_CachedFont& operator=(const PIX_CachedFont&) = delete;

    void SetFont(PIX_IGlyphSource* source, int32_t flags) override;
    uint32_t SetTextColour(uint32_t colour) override;
    void SetBlendMode(int32_t mode, float alpha) override;
    int32_t DrawText(PIX_IBitmap* bitmap, const char* text, int32_t length, Rect* rect, uint32_t flags) override;
    uint32_t GetTextColour() override { return mTextColour; }
    PIX_IGlyphSource* GetFontHandle() override { return mSource; }
    int32_t GetLineHeight() override { return mLineHeight; }

    // Draws one character with its pen at (x, y), clipped to `clip` and the bitmap. Returns
    // the advance width, or -1 when the glyph cannot be rendered.
    int32_t DrawGlyph(PIX_IBitmap* bitmap, uint32_t code, int32_t x, int32_t y, const Rect& clip);

private:
    struct Glyph
    {
        // Pool offset of the coverage bytes plus 1; 0 not rendered yet, -1 nothing to draw.
        int32_t offset;
        int32_t width;
        int32_t height;
        int32_t advance;
        int32_t code;
        int32_t xOffset;
    };
    static_assert(sizeof(Glyph) == 24);
    static constexpr int32_t kFixedGlyphs = 128;
    static constexpr int32_t kNotRendered = 0;
    static constexpr int32_t kEmpty = -1;

    Glyph* FindGlyph(uint32_t code);
    Glyph* RenderedGlyph(uint32_t code);
    bool Render(Glyph& glyph);
    void ClearGlyphs();
    bool UsePlatformText(uint32_t flags) const;
    int32_t DrawWithGlyphs(PIX_IBitmap* bitmap, const char* text, int32_t length, Rect* rect, uint32_t flags);
    int32_t DrawWithPlatform(PIX_IBitmap* bitmap, const char* text, int32_t length, Rect* rect, uint32_t flags);
    // Blends a coverage raster at (x, y) in the text colour, clipped to `clip`.
    void BlendCoverage(PIX_IBitmap* bitmap, const uint8_t* coverage, int32_t width, int32_t height, int32_t stride,
                       int32_t x, int32_t y, const Rect& clip);
    int32_t MeasureGlyphText(const char* text, int32_t length, uint32_t flags, int32_t* height);

    uint32_t mTextColour = 0;
    int32_t mBlendMode = 0;
    float mAlpha = 1.0f;
    int32_t mFlags = 0;
    int32_t mLineHeight = 0;
    int32_t mLineSpacing = 0;
    std::array<Glyph, kFixedGlyphs> mFixedGlyphs{};
    GrowBuffer mGlyphs{kGlyphListGranularity};
    GrowBuffer mPool{kPoolGranularity};
    PIX_IGlyphSource* mSource = nullptr;
    PIX_IGlyphSource::Coverage mScratch;
};
