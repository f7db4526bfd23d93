#include "graphics/PIX_CachedFont.h"

#include "graphics/BlendPixel.h"
#include "graphics/PIX_IBitmap.h"
#include "graphics/RasterMode.h"
#include "graphics/RasterPixel.h"
#include "graphics/Utf8Decoder.h"

#include <algorithm>
#include <cstring>
#include <string>

namespace
{
constexpr uint32_t kCarriageReturn = '\r';
constexpr uint32_t kLineFeed = '\n';
constexpr uint32_t kSpace = ' ';
constexpr int32_t kFullWeight = 256;
constexpr int32_t kOpaque = 255;
constexpr uint32_t kAlignmentFlags =
    PIX_IFont::kFormatCentre | PIX_IFont::kFormatRight | PIX_IFont::kFormatVCentre | PIX_IFont::kFormatBottom;

// Text length in bytes: -1 means zero-terminated.
int32_t TextLength(const char* text, int32_t length)
{
    return length < 0 ? static_cast<int32_t>(std::strlen(text)) : length;
}

// Calls onCharacter for every character to draw and onNewLine at each line break: CR is
// skipped, LF breaks the line (or is a space on a single line). Returns the number of lines.
template <class OnCharacter, class OnNewLine>
int32_t WalkText(const char* text, int32_t length, uint32_t flags, OnCharacter onCharacter, OnNewLine onNewLine)
{
    int32_t lines = 1;
    for (int32_t position = 0; position < length;)
    {
        uint32_t code = NextUtf8Code(text, length, position);
        if (code == kCarriageReturn)
            continue;
        if (code == kLineFeed)
        {
            if (!(flags & PIX_IFont::kFormatSingleLine))
            {
                onNewLine();
                ++lines;
                continue;
            }
            code = kSpace;
        }
        onCharacter(code);
    }
    return lines;
}

// Copy: every byte moves towards the colour by a / 256.
void BlendCopy(uint32_t* pixel, uint32_t colour, int32_t a)
{
    uint32_t result = 0;
    for (int shift = 0; shift < 32; shift += 8)
    {
        const int32_t d = static_cast<int32_t>(*pixel >> shift & 0xFF);
        const int32_t c = static_cast<int32_t>(colour >> shift & 0xFF);
        result |= static_cast<uint32_t>(c + (d - c) * (kFullWeight - a) / kFullWeight) << shift;
    }
    *pixel = result;
}

// Multiply: every byte scales by the colour (alpha by 255) at weight a.
void BlendMultiply(uint32_t* pixel, uint32_t colour, int32_t a)
{
    const uint32_t source = colour | 0xFF000000u;
    uint32_t result = 0;
    for (int shift = 0; shift < 32; shift += 8)
    {
        const int32_t d = static_cast<int32_t>(*pixel >> shift & 0xFF);
        const int32_t c = static_cast<int32_t>(source >> shift & 0xFF);
        result |= static_cast<uint32_t>(d * (a * c + (kFullWeight - a) * kFullWeight) / 65536) << shift;
    }
    *pixel = result;
}
}

PIX_CachedFont::PIX_CachedFont() = default;

PIX_CachedFont::~PIX_CachedFont()
{
    if (mFlags & kFontOwned)
        delete mSource;
}

void PIX_CachedFont::SetFont(PIX_IGlyphSource* source, int32_t flags)
{
    if ((mFlags & kFontOwned) && source != mSource)
        delete mSource;
    mFlags = flags;
    mSource = source;
    mLineHeight = source ? source->GetLineHeight() : 0;
    ClearGlyphs();
    if (source && (flags & kFontPrerenderAscii))
    {
        for (uint32_t code = 0; code < kFixedGlyphs; ++code)
            RenderedGlyph(code);
    }
}

uint32_t PIX_CachedFont::SetTextColour(uint32_t colour)
{
    const uint32_t previous = mTextColour;
    mTextColour = colour;
    return previous;
}

void PIX_CachedFont::SetBlendMode(int32_t mode, float alpha)
{
    mBlendMode = mode;
    mAlpha = alpha;
}

void PIX_CachedFont::ClearGlyphs()
{
    mFixedGlyphs.fill(Glyph{});
    for (int32_t code = 0; code < kFixedGlyphs; ++code)
        mFixedGlyphs[static_cast<size_t>(code)].code = code;
    mGlyphs.Resize(0, false);
    mPool.Resize(0, false);
}

PIX_CachedFont::Glyph* PIX_CachedFont::FindGlyph(uint32_t code)
{
    if (code < kFixedGlyphs)
        return &mFixedGlyphs[code];
    auto* begin = static_cast<Glyph*>(mGlyphs.Data());
    const int32_t count = mGlyphs.Size() / static_cast<int32_t>(sizeof(Glyph));
    Glyph* end = begin + count;
    Glyph* found = std::lower_bound(begin, end, code,
                                    [](const Glyph& glyph, uint32_t c) { return static_cast<uint32_t>(glyph.code) < c; });
    if (found != end && static_cast<uint32_t>(found->code) == code)
        return found;
    if (mFlags & kFontPrerenderAscii)
        return nullptr;
    // Insert the new record where it keeps the list sorted by code.
    const int64_t index = found - begin;
    if (!mGlyphs.Resize(static_cast<int64_t>(count + 1) * static_cast<int64_t>(sizeof(Glyph)), false) ||
        mGlyphs.Size() != (count + 1) * static_cast<int32_t>(sizeof(Glyph)))
        return nullptr;
    begin = static_cast<Glyph*>(mGlyphs.Data());
    std::memmove(begin + index + 1, begin + index, static_cast<size_t>(count - index) * sizeof(Glyph));
    begin[index] = Glyph{kNotRendered, 0, 0, 0, static_cast<int32_t>(code), 0};
    return begin + index;
}

PIX_CachedFont::Glyph* PIX_CachedFont::RenderedGlyph(uint32_t code)
{
    if (!mSource || mLineHeight >= kMaxGlyphLineHeight)
        return nullptr;
    Glyph* glyph = FindGlyph(code);
    if (!glyph)
        return nullptr;
    if (glyph->offset == kNotRendered && !Render(*glyph))
        return nullptr;
    return glyph;
}

bool PIX_CachedFont::Render(Glyph& glyph)
{
    PIX_IGlyphSource::Coverage& out = mScratch;
    out = {std::move(out.pixels), 0, 0, 0, 0};
    if (!mSource->RenderGlyph(static_cast<uint32_t>(glyph.code), &out))
        return false;
    glyph.advance = out.advance;
    glyph.width = 0;
    glyph.height = 0;
    glyph.xOffset = 0;
    glyph.offset = kEmpty;
    if (out.width <= 0 || out.height <= 0 || out.pixels.size() < static_cast<size_t>(out.width) * out.height)
        return true;

    const bool invert = (mFlags & kFontInvertCoverage) != 0;
    int32_t first = out.width;
    int32_t last = -1;
    for (int32_t y = 0; y < out.height; ++y)
    {
        for (int32_t x = 0; x < out.width; ++x)
        {
            uint8_t& value = out.pixels[static_cast<size_t>(y) * out.width + x];
            if (invert)
                value = static_cast<uint8_t>(255 - value);
            if (value != 0)
            {
                first = std::min(first, x);
                last = std::max(last, x);
            }
        }
    }
    if (last < first)
        return true;

    const int32_t width = last - first + 1;
    const int32_t start = mPool.Size();
    const int64_t bytes = static_cast<int64_t>(width) * out.height;
    if (!mPool.Resize(start + bytes, false) || mPool.Size() != start + bytes)
        return false;
    auto* pool = static_cast<uint8_t*>(mPool.Data()) + start;
    for (int32_t y = 0; y < out.height; ++y)
        std::memcpy(pool + static_cast<size_t>(y) * width, out.pixels.data() + static_cast<size_t>(y) * out.width + first,
                    static_cast<size_t>(width));
    glyph.offset = start + 1;
    glyph.width = width;
    glyph.height = out.height;
    glyph.xOffset = out.pad - first;
    return true;
}

int32_t PIX_CachedFont::DrawGlyph(PIX_IBitmap* bitmap, uint32_t code, int32_t x, int32_t y, const Rect& clip)
{
    const Glyph* glyph = RenderedGlyph(code);
    if (!glyph)
        return -1;
    if (glyph->offset > 0)
    {
        const uint8_t* coverage = static_cast<const uint8_t*>(mPool.Data()) + (glyph->offset - 1);
        BlendCoverage(bitmap, coverage, glyph->width, glyph->height, glyph->width, x - glyph->xOffset, y, clip);
    }
    return glyph->advance;
}

void PIX_CachedFont::BlendCoverage(PIX_IBitmap* bitmap, const uint8_t* coverage, int32_t width, int32_t height,
                                   int32_t stride, int32_t x, int32_t y, const Rect& clip)
{
    uint32_t* pixels = bitmap ? bitmap->GetPixelData() : nullptr;
    if (!pixels)
        return;
    const int32_t mode = mBlendMode & static_cast<int32_t>(RasterModeByteMask);
    const int32_t weight = RasterWeight(mAlpha);
    if (weight <= 0 || mode > static_cast<int32_t>(RasterModeHsvAdjust))
        return;
    const Rect area = clip.Intersection(Rect{0, 0, bitmap->GetWidth(), bitmap->GetHeight()})
                          .Intersection(Rect{x, y, x + width, y + height});
    if (area.Width() <= 0 || area.Height() <= 0)
        return;

    const bool fullAlpha = mAlpha == 1.0f;
    const int32_t rowStride = bitmap->GetRowStride();
    const int32_t bitmapHeight = bitmap->GetHeight();
    const bool bottomUp = bitmap->IsBottomUp();
    const int32_t r = PixelRed(mTextColour);
    const int32_t g = PixelGreen(mTextColour);
    const int32_t b = PixelBlue(mTextColour);
    for (int32_t row = area.top; row < area.bottom; ++row)
    {
        const int32_t bitmapRow = bottomUp ? bitmapHeight - 1 - row : row;
        uint32_t* line = pixels + static_cast<int64_t>(bitmapRow) * rowStride;
        const uint8_t* source = coverage + static_cast<int64_t>(row - y) * stride;
        for (int32_t column = area.left; column < area.right; ++column)
        {
            const int32_t cover = source[column - x];
            if (cover == 0)
                continue;
            const int32_t a = fullAlpha ? cover + 1 : std::min(cover * weight / kFullWeight, kFullWeight);
            uint32_t* pixel = line + column;
            switch (mode)
            {
            case RasterModeCopy:
                BlendCopy(pixel, mTextColour, a);
                break;
            case RasterModeMultiply:
                BlendMultiply(pixel, mTextColour, a);
                break;
            case RasterModeAdd:
                BlendPixelAdd(pixel, r, g, b, kOpaque, a);
                break;
            case RasterModeDodge:
                BlendPixelDodge(pixel, r, g, b, kOpaque, a);
                break;
            case RasterModeOverlay:
                BlendPixelOverlay(pixel, r, g, b, kOpaque, a);
                break;
            default:
                BlendPixelHsv(pixel, r, g, b, kOpaque, a);
                break;
            }
        }
    }
}

bool PIX_CachedFont::UsePlatformText(uint32_t flags) const
{
    if (!(mFlags & kFontPlatformText) || !mSource || !mSource->CanRenderString() || (flags & kFormatGlyphPathOnly))
        return false;
    const bool plainText = !mSource->PrefersGlyphs() && !(flags & kFormatColourAlpha) &&
                           !(mFlags & kFontGlyphOnlyFlags) && (mLineSpacing == 0 || (flags & kFormatSingleLine));
    return plainText || mLineHeight >= kPlatformTextLineHeight;
}

int32_t PIX_CachedFont::DrawText(PIX_IBitmap* bitmap, const char* text, int32_t length, Rect* rect, uint32_t flags)
{
    if (!rect || !text || (!bitmap && !(flags & kFormatCalcRect)))
        return 0;
    const bool platform = UsePlatformText(flags);
    flags &= ~kFormatGlyphPathOnly;
    if (platform)
        return DrawWithPlatform(bitmap, text, length, rect, flags);
    return DrawWithGlyphs(bitmap, text, length, rect, flags);
}

int32_t PIX_CachedFont::MeasureGlyphText(const char* text, int32_t length, uint32_t flags, int32_t* height)
{
    int32_t widest = 0;
    int32_t width = 0;
    const int32_t lines = WalkText(
        text, length, flags,
        [&](uint32_t code) {
            if (const Glyph* glyph = RenderedGlyph(code))
                width += glyph->advance;
        },
        [&] {
            widest = std::max(widest, width);
            width = 0;
        });
    *height = lines * mLineHeight + (lines - 1) * mLineSpacing;
    return std::max(widest, width);
}

int32_t PIX_CachedFont::DrawWithGlyphs(PIX_IBitmap* bitmap, const char* text, int32_t length, Rect* rect,
                                       uint32_t flags)
{
    if (!mSource || mLineHeight >= kMaxGlyphLineHeight)
        return 0;
    length = TextLength(text, length);
    int32_t textHeight = 0;
    if (flags & kFormatCalcRect)
    {
        const int32_t textWidth = MeasureGlyphText(text, length, flags, &textHeight);
        rect->right = rect->left + textWidth;
        rect->bottom = rect->top + textHeight;
        return textHeight;
    }

    float alpha = mAlpha;
    if (flags & kFormatColourAlpha)
        alpha *= static_cast<float>(PixelAlpha(mTextColour)) / 255.0f;
    if (RasterWeight(alpha) <= 0)
        return 0;

    int32_t x = rect->left;
    int32_t y = rect->top;
    if (flags & kAlignmentFlags)
    {
        const int32_t textWidth = MeasureGlyphText(text, length, flags, &textHeight);
        if (flags & kFormatCentre)
            x += (rect->Width() - textWidth) / 2;
        else if (flags & kFormatRight)
            x = rect->right - textWidth;
        if (flags & kFormatVCentre)
            y += (rect->Height() - textHeight) / 2;
        else if (flags & kFormatBottom)
            y = rect->bottom - textHeight;
    }
    const Rect whole{0, 0, bitmap->GetWidth(), bitmap->GetHeight()};
    const Rect clip = (flags & kFormatNoClip) ? whole : rect->Intersection(whole);
    if (clip.Width() <= 0 || clip.Height() <= 0)
        return 0;

    const float savedAlpha = mAlpha;
    mAlpha = alpha;
    const int32_t startX = x;
    const int32_t lines = WalkText(
        text, length, flags,
        [&](uint32_t code) {
            const int32_t advance = DrawGlyph(bitmap, code, x, y, clip);
            if (advance > 0)
                x += advance;
        },
        [&] {
            y += mLineHeight + mLineSpacing;
            x = startX;
        });
    mAlpha = savedAlpha;
    return lines * mLineHeight + (lines - 1) * mLineSpacing;
}

int32_t PIX_CachedFont::DrawWithPlatform(PIX_IBitmap* bitmap, const char* text, int32_t length, Rect* rect,
                                         uint32_t flags)
{
    length = TextLength(text, length);
    std::u16string wide;
    wide.reserve(static_cast<size_t>(length));
    for (int32_t position = 0; position < length;)
        wide.push_back(static_cast<char16_t>(NextUtf8Code(text, length, position)));
    const auto count = static_cast<int32_t>(wide.size());

    int32_t width = 0;
    int32_t height = 0;
    if (flags & kFormatCalcRect)
    {
        if (!mSource->MeasureString(wide.data(), count, flags, &width, &height))
            return 0;
        rect->right = rect->left + width;
        rect->bottom = rect->top + height;
        return height;
    }
    PIX_IGlyphSource::Coverage& out = mScratch;
    out = {std::move(out.pixels), 0, 0, 0, 0};
    if (!mSource->RenderString(wide.data(), count, flags, &out) || out.width <= 0 || out.height <= 0)
        return 0;
    int32_t x = rect->left;
    int32_t y = rect->top;
    if (flags & kFormatRight)
        x = rect->right - out.width;
    else if (flags & kFormatCentre)
        x = (rect->left + rect->right - out.width) / 2;
    if (flags & kFormatBottom)
        y = rect->bottom - out.height;
    else if (flags & kFormatVCentre)
        y = (rect->top + rect->bottom - out.height) / 2;
    const Rect whole{0, 0, bitmap->GetWidth(), bitmap->GetHeight()};
    const Rect clip = (flags & kFormatNoClip) ? whole : rect->Intersection(whole);
    BlendCoverage(bitmap, out.pixels.data(), out.width, out.height, out.width, x, y, clip);
    return out.height;
}
