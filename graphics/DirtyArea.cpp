#include "graphics/DirtyArea.h"

#include <cstdint>

namespace
{
// Two rectangles are painted as one when the box around them has at most this much more
// area than the two have together: each paint has a cost of its own.
constexpr int64_t kJoinSlackNumerator = 5;
constexpr int64_t kJoinSlackDenominator = 4;

int64_t AreaOf(const Rect& r)
{
    return static_cast<int64_t>(r.Width()) * r.Height();
}

bool WorthJoining(const Rect& a, const Rect& b)
{
    return AreaOf(a.Union(b)) * kJoinSlackDenominator <= (AreaOf(a) + AreaOf(b)) * kJoinSlackNumerator;
}
}

void DirtyArea::Add(const Rect& rect)
{
    if (rect.Width() <= 0 || rect.Height() <= 0)
        return;
    Rect joined = rect;
    // A join can make the box worth joining with another held rectangle: look again.
    for (int i = 0; i < mCount;)
    {
        if (WorthJoining(mRects[i], joined))
        {
            joined = joined.Union(mRects[i]);
            Remove(i);
            i = 0;
            continue;
        }
        ++i;
    }
    if (mCount < kMostRects)
    {
        mRects[mCount++] = joined;
        return;
    }
    int best = 0;
    int64_t bestGrowth = INT64_MAX;
    for (int i = 0; i < mCount; ++i)
    {
        const int64_t growth = AreaOf(mRects[i].Union(joined)) - AreaOf(mRects[i]);
        if (growth < bestGrowth)
        {
            best = i;
            bestGrowth = growth;
        }
    }
    joined = joined.Union(mRects[best]);
    Remove(best);
    Add(joined);
}

Rect DirtyArea::Bounds() const
{
    if (mCount == 0)
        return {};
    Rect bounds = mRects[0];
    for (int i = 1; i < mCount; ++i)
        bounds = bounds.Union(mRects[i]);
    return bounds;
}

void DirtyArea::Remove(int index)
{
    mRects[index] = mRects[--mCount];
}
