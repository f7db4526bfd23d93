#include "graphics/IGraphics.h"
#include "graphics/win32/GdiGlyphSource.h"
#include "graphics/win32/PIX_SysBitmap.h"

// On Windows the editor draws into a DIB section and its text comes from GDI fonts.

PIX_IBitmap* IGraphics::CreateDrawSurface(int width, int height)
{
    return new PIX_SysBitmap(width, height);
}

PIX_IGlyphSource* IGraphics::CreateGlyphSource(const TextStyle& style)
{
    return GdiGlyphSource::Create(style);
}
