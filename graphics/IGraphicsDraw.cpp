#include "graphics/IGraphics.h"

#include "graphics/FontCache.h"
#include "graphics/PIX_CachedFont.h"
#include "graphics/PIX_IBitmap.h"
#include "graphics/RasterBlit.h"
#include "graphics/RasterFillRect.h"
#include "graphics/RasterLine.h"
#include "graphics/RasterMode.h"
#include "graphics/RasterPixel.h"
#include "graphics/RasterRoundRect.h"
#include "graphics/TextFit.h"

#include <string>

namespace
{
constexpr uint32_t kOpaqueAlpha = 255;

uint32_t ColourWord(const ArgbColour& colour)
{
    return PixelWord(static_cast<uint32_t>(colour.a), static_cast<uint32_t>(colour.r),
                     static_cast<uint32_t>(colour.g), static_cast<uint32_t>(colour.b));
}
}

bool IGraphics::DrawBitmap(const BitmapStrip* strip, const Rect* dest, int srcX, int srcY, const BlendSpec* blend)
{
    if (!strip || !strip->bitmap || !dest)
        return true;
    Rect clipped;
    if (!dest->IsEmpty() && !mDrawRect.IsEmpty() && dest->Meets(mDrawRect))
        clipped = dest->Intersection(mDrawRect);
    const int32_t sx = srcX + (clipped.left - dest->left);
    const int32_t sy = srcY + (clipped.top - dest->top);
    const RasterRect source{sx, sy, sx + clipped.Width(), sy + clipped.Height()};
    RasterBlit(mDrawBitmap, strip->bitmap, clipped.left, clipped.top, &source, RasterAlphaOf(blend),
               RasterModeOf(blend));
    return true;
}

bool IGraphics::FillRect(const ArgbColour* colour, const Rect* rect, const BlendSpec* blend)
{
    if (colour && rect)
        RasterFillRect(mDrawBitmap, rect->left, rect->top, rect->Width(), rect->Height(), ColourWord(*colour),
                       RasterAlphaOf(blend), RasterModeOf(blend));
    return true;
}

bool IGraphics::DrawRoundRect(const ArgbColour* colour, const Rect* rect, const BlendSpec* blend)
{
    if (colour && rect)
        RasterRoundRect(mDrawBitmap, static_cast<float>(rect->left), static_cast<float>(rect->top),
                        static_cast<float>(rect->Width()), static_cast<float>(rect->Height()), ColourWord(*colour),
                        RasterAlphaOf(blend), RasterModeOf(blend) & RasterModeByteMask);
    return true;
}

bool IGraphics::DrawRectOutline(const ArgbColour* colour, const Rect* rect)
{
    if (!colour || !rect)
        return true;
    const uint32_t word = ColourWord(*colour);
    const Rect& r = *rect;
    RasterLine(mDrawBitmap, r.left, r.top, r.right, r.top, word, 1.0f, RasterModeCopy, false);
    RasterLine(mDrawBitmap, r.left, r.bottom, r.right, r.bottom, word, 1.0f, RasterModeCopy, false);
    RasterLine(mDrawBitmap, r.left, r.top, r.left, r.bottom, word, 1.0f, RasterModeCopy, false);
    RasterLine(mDrawBitmap, r.right, r.top, r.right, r.bottom, word, 1.0f, RasterModeCopy, false);
    return true;
}

bool IGraphics::DrawText(TextStyle* style, const char* text, Rect* rect, bool measure)
{
    if (!text || text[0] == '\0')
        return true;
    if (!style || !rect)
        return false;
    PIX_CachedFont* font = style->cachedFont ? style->cachedFont : GetCachedFont(style);
    if (!font)
        return false;
    font->SetTextColour(ColourWord(style->colour));

    // Every text stays inside its own rectangle.
    uint32_t flags = 0;
    if (style->alignment == TextStyle::kAlignCentre)
        flags |= PIX_IFont::kFormatCentre;
    else if (style->alignment == TextStyle::kAlignRight)
        flags |= PIX_IFont::kFormatRight;
    if (static_cast<uint32_t>(style->colour.a) < kOpaqueAlpha)
        flags |= PIX_IFont::kFormatColourAlpha;

    if (!measure)
    {
        Rect area = *rect;
        std::string shortened;
        if (TextFit::Shorten(font, text, area.Width(), flags, &shortened))
            text = shortened.c_str();
        font->DrawText(mDrawBitmap, text, -1, &area, flags);
        return true;
    }
    Rect size;
    font->DrawText(nullptr, text, -1, &size, flags | PIX_IFont::kFormatCalcRect);
    const int32_t w = size.Width();
    const int32_t h = size.Height();
    switch (style->alignment)
    {
    case TextStyle::kAlignLeft:
        rect->right = rect->left + w;
        break;
    case TextStyle::kAlignCentre:
        rect->left = static_cast<int32_t>((rect->left + rect->right) * 0.5) - w / 2;
        rect->right = rect->left + w;
        break;
    case TextStyle::kAlignRight:
        rect->left = rect->right - w;
        break;
    default:
        break;
    }
    rect->bottom = rect->top + h;
    return true;
}

PIX_CachedFont* IGraphics::GetCachedFont(TextStyle* style)
{
    if (!style)
        return nullptr;
    if (PIX_CachedFont* cached = FontCache::Find(*style))
    {
        style->cachedFont = cached;
        return cached;
    }
    PIX_IGlyphSource* source = CreateGlyphSource(*style);
    if (!source)
        return nullptr;
    auto* font = new PIX_CachedFont;
    font->SetFont(source, PIX_IFont::kFontOwned | PIX_IFont::kFontPlatformText);
    if (!FontCache::Add(*style, font))
        return nullptr;
    style->cachedFont = font;
    return font;
}
