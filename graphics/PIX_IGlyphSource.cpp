#include "graphics/PIX_IGlyphSource.h"

bool PIX_IGlyphSource::MeasureString(const char16_t*, int32_t, uint32_t, int32_t*, int32_t*)
{
    return false;
}

bool PIX_IGlyphSource::RenderString(const char16_t*, int32_t, uint32_t, Coverage*)
{
    return false;
}
