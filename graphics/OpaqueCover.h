#pragma once

#include "framework/PointerList.h"
#include "graphics/RectStrips.h"

class IControl;

// The topmost visible control whose opaque part hides, inside an area being redrawn, whatever
// the controls below it would draw there. Those controls then need drawing only in the strips
// of the area around that part, which saves a redraw of a large display every pixel under it.
// Only when every control below that meets the area keeps to the draw rect; else there is none.
struct OpaqueCover
{
    // Controls below this index draw only in the strips; 0 when there is no cover.
    int index = 0;
    Rect strips[kMostStripsAround];
    int stripCount = 0;

    static OpaqueCover Find(const PointerList<IControl>& controls, const Rect& area);
};
