#include "editor/ScopeColumn.h"

#include "graphics/RasterCanvas.h"

#include <algorithm>

namespace
{
struct Span
{
    int32_t top;
    int32_t bottom;
};

// Writes rows top to bottom of the column, but none that a span of `covered` holds.
void PaintUncovered(const RasterCanvas& canvas, int32_t x, int32_t top, int32_t bottom, uint32_t colour,
                    const Span* covered, int coveredCount)
{
    for (int c = 0; c < coveredCount && top <= bottom; ++c)
    {
        const Span& span = covered[c];
        if (span.bottom < top || span.top > bottom)
            continue;
        if (span.top > top)
            PaintUncovered(canvas, x, top, span.top - 1, colour, covered + c + 1, coveredCount - c - 1);
        top = span.bottom + 1;
    }
    for (int32_t y = top; y <= bottom; ++y)
        *canvas.At(x, y) = colour;
}
}

void ScopeColumn::Add(int32_t y1, int32_t y2, uint32_t colour)
{
    if (mCount < kMostStrokes)
        mStrokes[mCount++] = {std::min(y1, y2), std::max(y1, y2), colour};
}

void ScopeColumn::Paint(PIX_IBitmap* bitmap, int32_t x)
{
    const int count = mCount;
    mCount = 0;
    RasterCanvas canvas{};
    if (!MakeRasterCanvas(bitmap, canvas) || x < 0 || x >= canvas.width)
        return;
    // The last stroke is painted first; each earlier one only where no later one lies.
    Span covered[kMostStrokes];
    int coveredCount = 0;
    for (int i = count - 1; i >= 0; --i)
    {
        const Stroke& stroke = mStrokes[i];
        const int32_t a = canvas.StoredY(stroke.top);
        const int32_t b = canvas.StoredY(stroke.bottom);
        const int32_t top = std::max(std::min(a, b), 0);
        const int32_t bottom = std::min(std::max(a, b), canvas.height - 1);
        if (top > bottom)
            continue;
        PaintUncovered(canvas, x, top, bottom, stroke.colour, covered, coveredCount);
        covered[coveredCount++] = {top, bottom};
    }
}
