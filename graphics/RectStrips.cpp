#include "graphics/RectStrips.h"

int StripsAround(const Rect& area, const Rect& hole, Rect (&strips)[kMostStripsAround])
{
    int count = 0;
    const auto add = [&](int32_t left, int32_t top, int32_t right, int32_t bottom) {
        if (right > left && bottom > top)
            strips[count++] = {left, top, right, bottom};
    };
    add(area.left, area.top, area.right, hole.top);
    add(area.left, hole.bottom, area.right, area.bottom);
    add(area.left, hole.top, hole.left, hole.bottom);
    add(hole.right, hole.top, area.right, hole.bottom);
    return count;
}
