#include "graphics/BlockGlyphSource.h"
#include "graphics/IGraphics.h"
#include "graphics/PIX_MemBitmap.h"

// Without a platform text engine or system bitmaps: memory surfaces and block glyphs.

PIX_IBitmap* IGraphics::CreateDrawSurface(int width, int height)
{
    auto* bitmap = new PIX_MemBitmap;
    bitmap->SetSize(width, height);
    return bitmap;
}

PIX_IGlyphSource* IGraphics::CreateGlyphSource(const TextStyle& style)
{
    return new BlockGlyphSource(style.size);
}
