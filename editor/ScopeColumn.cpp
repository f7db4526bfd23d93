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

void ScopeColumn::Paint(PIX_IBitmap* bitmap, int32_t x, const Rect& clip)
{
    const int count = mCount;
    mCount = 0;
    RasterCanvas canvas{};
    if (!MakeRasterCanvas(bitmap, canvas) || x < std::max(clip.left, 0) || x >= std::min(clip.right, canvas.width))
        return;
    const int32_t clipTop = std::max(clip.top, 0);
    const int32_t clipBottom = std::min(clip.bottom, canvas.height) - 1;
    // The last stroke is painted first; each earlier one only where no later one lies.
    Span covered[kMostStrokes];
    int coveredCount = 0;
    for (int i = count - 1; i >= 0; --i)
    {
        const Stroke& stroke = mStrokes[i];
        const int32_t top = std::max(stroke.top, clipTop);
        const int32_t bottom = std::min(stroke.bottom, clipBottom);
        if (top > bottom)
            continue;
        const int32_t a = canvas.StoredY(top);
        const int32_t b = canvas.StoredY(bottom);
        const Span rows{std::min(a, b), std::max(a, b)};
        PaintUncovered(canvas, x, rows.top, rows.bottom, stroke.colour, covered, coveredCount);
        covered[coveredCount++] = rows;
    }
}
