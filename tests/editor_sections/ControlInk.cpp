#include "tests/editor_sections/ControlInk.h"

#include "graphics/IControl.h"
#include "graphics/PIX_IBitmap.h"
#include "graphics/RasterFillRect.h"
#include "graphics/RasterMode.h"

#include <algorithm>

namespace
{
constexpr uint32_t kBlank = 0xFF102030;
}

Ink InkOf(IGraphics& graphics, IControl* control, const Rect* area)
{
    PIX_IBitmap* surface = graphics.GetDrawBitmap();
    const int width = surface->GetWidth();
    const int height = surface->GetHeight();
    RasterFillRect(surface, 0, 0, width, height, kBlank, 1.0f, RasterModeCopy);
    control->Draw(&graphics);
    Ink ink{{width, height, 0, 0}, {}};
    const Rect scanned = area ? area->Intersection(Rect{0, 0, width, height}) : Rect{0, 0, width, height};
    const uint32_t* pixels = surface->GetPixelData();
    for (int y = scanned.top; y < scanned.bottom; ++y)
        for (int x = scanned.left; x < scanned.right; ++x)
        {
            const int row = surface->IsBottomUp() ? height - 1 - y : y;
            const uint32_t colour = pixels[static_cast<size_t>(row) * surface->GetRowStride() + x];
            if (colour == kBlank)
                continue;
            ink.pixels.push_back(y * width + x);
            ink.colours.push_back(colour);
            ink.bounds = {std::min(ink.bounds.left, x), std::min(ink.bounds.top, y), std::max(ink.bounds.right, x + 1),
                          std::max(ink.bounds.bottom, y + 1)};
        }
    return ink;
}

bool Inside(const Rect& inner, const Rect& outer)
{
    return inner.left >= outer.left && inner.top >= outer.top && inner.right <= outer.right &&
           inner.bottom <= outer.bottom;
}

std::string Describe(const Rect& r)
{
    return "(" + std::to_string(r.left) + ", " + std::to_string(r.top) + ", " + std::to_string(r.right) + ", " +
           std::to_string(r.bottom) + ")";
}
