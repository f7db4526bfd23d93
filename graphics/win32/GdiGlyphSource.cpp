#include "graphics/win32/GdiGlyphSource.h"

#include "graphics/PIX_IFont.h"
#include "graphics/TextStyle.h"
#include "graphics/win32/PIX_SysBitmap.h"
#include "graphics/win32/RunningUnderWine.h"

#include <windows.h>

#include <algorithm>
#include <cstring>

namespace
{
constexpr int32_t kMinSurfaceSize = 256;
constexpr int kBoldWeight = 700;
constexpr int kNormalWeight = 400;
constexpr int kEscapementPerDegree = 10;
constexpr uint32_t kPositionFlags = DT_CENTER | DT_RIGHT | DT_VCENTER | DT_BOTTOM | DT_CALCRECT;

// The render surface and the number of sources using it.
PIX_SysBitmap* gSurface = nullptr;
int32_t gSurfaceUsers = 0;

DWORD QualityOf(int32_t quality)
{
    switch (quality)
    {
    case TextStyle::kQualityAliased:
        return NONANTIALIASED_QUALITY;
    case TextStyle::kQualityAntialiased:
        return ANTIALIASED_QUALITY;
    case TextStyle::kQualitySubpixel:
        return CLEARTYPE_QUALITY;
    default:
        return DEFAULT_QUALITY;
    }
}

HDC SurfaceDc()
{
    return gSurface ? static_cast<HDC>(gSurface->GetDeviceContext()) : nullptr;
}

// Grows the shared surface to hold at least width x height; white text on opaque black.
bool EnsureSurface(int32_t width, int32_t height)
{
    width = std::max(width, kMinSurfaceSize);
    height = std::max(height, kMinSurfaceSize);
    if (!gSurface)
        gSurface = new PIX_SysBitmap(width, height);
    else if (gSurface->GetWidth() < width || gSurface->GetHeight() < height)
        gSurface->SetSize(std::max(width, gSurface->GetWidth()), std::max(height, gSurface->GetHeight()));
    HDC dc = SurfaceDc();
    if (!dc || !gSurface->GetPixelData())
        return false;
    SetTextColor(dc, RGB(255, 255, 255));
    SetBkMode(dc, OPAQUE);
    SetBkColor(dc, RGB(0, 0, 0));
    return true;
}

// Selects a font into the shared surface for the guard's lifetime.
class SelectedFont
{
public:
    SelectedFont(HDC dc, void* font) : mDc(dc), mPrevious(SelectObject(dc, static_cast<HFONT>(font))) {}
    ~SelectedFont() { SelectObject(mDc, mPrevious); }
    SelectedFont(const SelectedFont&) = delete;
    SelectedFont& operator=(const SelectedFont&) = delete;

private:
    HDC mDc;
    HGDIOBJ mPrevious;
};
}

GdiGlyphSource* GdiGlyphSource::Create(const TextStyle& style)
{
    HFONT font = CreateFontA(style.size, 0, style.orientation * kEscapementPerDegree,
                             style.orientation * kEscapementPerDegree,
                             style.style == TextStyle::kStyleBold ? kBoldWeight : kNormalWeight,
                             style.style == TextStyle::kStyleItalic, FALSE, FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
                             CLIP_DEFAULT_PRECIS, QualityOf(style.quality), DEFAULT_PITCH, style.face);
    if (!font)
        return nullptr;
    return new GdiGlyphSource(font);
}

GdiGlyphSource::GdiGlyphSource(void* font) : mFont(font)
{
    ++gSurfaceUsers;
    if (!EnsureSurface(kMinSurfaceSize, kMinSurfaceSize))
        return;
    HDC dc = SurfaceDc();
    SelectedFont selected(dc, mFont);
    TEXTMETRICA metrics{};
    if (GetTextMetricsA(dc, &metrics))
        mLineHeight = metrics.tmHeight;
}

GdiGlyphSource::~GdiGlyphSource()
{
    DeleteObject(static_cast<HFONT>(mFont));
    if (--gSurfaceUsers == 0)
    {
        delete gSurface;
        gSurface = nullptr;
    }
}

int32_t GdiGlyphSource::SharedSurfaceCount()
{
    return gSurface ? 1 : 0;
}

bool GdiGlyphSource::PrefersGlyphs()
{
    return RunningUnderWine();
}

bool GdiGlyphSource::Measure(const char16_t* text, int32_t length, uint32_t flags, int32_t* width, int32_t* height)
{
    if (!EnsureSurface(kMinSurfaceSize, kMinSurfaceSize))
        return false;
    HDC dc = SurfaceDc();
    SelectedFont selected(dc, mFont);
    RECT box{0, 0, 0, 0};
    const auto* wide = reinterpret_cast<const wchar_t*>(text);
    DrawTextW(dc, wide, length, &box, (flags & ~kPositionFlags) | DT_CALCRECT | DT_NOPREFIX);
    *width = box.right - box.left;
    *height = box.bottom - box.top;
    return true;
}

bool GdiGlyphSource::Render(const char16_t* text, int32_t length, uint32_t flags, int32_t x, int32_t width,
                            int32_t height, Coverage* out)
{
    if (width <= 0 || height <= 0 || !EnsureSurface(width, height))
        return false;
    HDC dc = SurfaceDc();
    GdiFlush();
    uint32_t* pixels = gSurface->GetPixelData();
    const int32_t stride = gSurface->GetRowStride();
    width = std::min(width, gSurface->GetWidth());
    height = std::min(height, gSurface->GetHeight());
    for (int32_t y = 0; y < height; ++y)
        std::fill(pixels + static_cast<size_t>(y) * stride, pixels + static_cast<size_t>(y) * stride + width, 0u);
    {
        SelectedFont selected(dc, mFont);
        RECT box{x, 0, width, height};
        DrawTextW(dc, reinterpret_cast<const wchar_t*>(text), length, &box,
                  (flags & ~kPositionFlags) | DT_NOPREFIX | DT_NOCLIP);
    }
    GdiFlush();
    out->width = width;
    out->height = height;
    out->pixels.resize(static_cast<size_t>(width) * height);
    for (int32_t y = 0; y < height; ++y)
        for (int32_t column = 0; column < width; ++column)
            out->pixels[static_cast<size_t>(y) * width + column] =
                static_cast<uint8_t>(pixels[static_cast<size_t>(y) * stride + column] >> 16 & 0xFF);
    return true;
}

bool GdiGlyphSource::RenderGlyph(uint32_t code, Coverage* out)
{
    const int32_t pad = (mLineHeight < 16 ? 0 : mLineHeight / 16) + 2;
    const char16_t character = static_cast<char16_t>(code);
    int32_t width = 0;
    int32_t height = 0;
    if (!Measure(&character, 1, DT_SINGLELINE, &width, &height))
        return false;
    out->advance = width;
    out->pad = pad;
    if (width <= 0 || height <= 0)
    {
        out->width = 0;
        out->height = 0;
        return true;
    }
    return Render(&character, 1, DT_SINGLELINE, pad, width + 2 * pad, height, out);
}

bool GdiGlyphSource::MeasureString(const char16_t* text, int32_t length, uint32_t flags, int32_t* width,
                                   int32_t* height)
{
    return Measure(text, length, flags, width, height);
}

bool GdiGlyphSource::RenderString(const char16_t* text, int32_t length, uint32_t flags, Coverage* out)
{
    int32_t width = 0;
    int32_t height = 0;
    if (!Measure(text, length, flags, &width, &height))
        return false;
    out->advance = width;
    out->pad = 0;
    return Render(text, length, flags, 0, width, height, out);
}
