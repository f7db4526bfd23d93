#pragma once

#include "graphics/Rect.h"

// What a redraw tick must repaint, as a few rectangles: painting two small areas far apart
// costs less than painting the box around both. A rectangle that adds little to one already
// held joins it; when the list is full, a new one joins the rectangle it grows least.
class DirtyArea
{
public:
    static constexpr int kMostRects = 8;

    // An empty or inverted rectangle adds nothing.
    void Add(const Rect& rect);
    bool IsEmpty() const { return mCount == 0; }
    int Count() const { return mCount; }
    const Rect& operator[](int index) const { return mRects[index]; }
    // The box around every rectangle (all zero when empty).
    Rect Bounds() const;

private:
    void Remove(int index);

    int mCount = 0;
    Rect mRects[kMostRects];
};
