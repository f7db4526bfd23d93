#pragma once

#include "graphics/Rect.h"

#include <cstdint>

class PIX_IBitmap;

// The vertical strokes one column of the scope gets, in drawing order, each from y1 to y2 with
// both ends included, copied at full weight. Painted at once, a pixel that a later stroke
// covers is not written first: the same pixels as one line per stroke, without the dead
// writes or a line's set-up each.
class ScopeColumn
{
public:
    static constexpr int kMostStrokes = 8;

    void Add(int32_t y1, int32_t y2, uint32_t colour);
    void Clear() { mCount = 0; }
    // Paints the strokes at x, clipped to `clip` and the bitmap, and forgets them.
    void Paint(PIX_IBitmap* bitmap, int32_t x, const Rect& clip);

private:
    struct Stroke
    {
        int32_t top;
        int32_t bottom;
        uint32_t colour;
    };

    int mCount = 0;
    Stroke mStrokes[kMostStrokes];
};
