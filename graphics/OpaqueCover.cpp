#include "graphics/OpaqueCover.h"

#include "graphics/IControl.h"

namespace
{
bool Encloses(const Rect& outer, const Rect& inner)
{
    return outer.left <= inner.left && outer.top <= inner.top && inner.right <= outer.right &&
           inner.bottom <= outer.bottom;
}

bool IsDrawnIn(IControl& control, const Rect& area)
{
    const Rect& rect = control.GetDrawRect();
    return !control.IsHidden() && !rect.IsEmpty() && rect.Meets(area);
}

bool BelowKeepToTheClip(const PointerList<IControl>& controls, int cover, const Rect& area)
{
    for (int i = 0; i < cover; ++i)
    {
        IControl& control = *controls.Get(i);
        if (IsDrawnIn(control, area) && !control.DrawsOnlyWithinClip())
            return false;
    }
    return true;
}

void AddStrip(OpaqueCover& cover, int32_t left, int32_t top, int32_t right, int32_t bottom)
{
    if (right > left && bottom > top)
        cover.strips[cover.stripCount++] = {left, top, right, bottom};
}
}

OpaqueCover OpaqueCover::Find(const PointerList<IControl>& controls, const Rect& area)
{
    if (area.IsEmpty())
        return {};
    for (int i = controls.Count() - 1; i > 0; --i)
    {
        IControl& control = *controls.Get(i);
        if (control.IsHidden() || !Encloses(control.GetDrawRect(), area))
            continue;
        const Rect opaque = control.OpaqueRect();
        if (opaque.IsEmpty())
            continue;
        const Rect hidden = opaque.Intersection(area);
        if (hidden.Width() <= 0 || hidden.Height() <= 0 || !BelowKeepToTheClip(controls, i, area))
            return {};
        OpaqueCover cover;
        cover.index = i;
        AddStrip(cover, area.left, area.top, area.right, hidden.top);
        AddStrip(cover, area.left, hidden.bottom, area.right, area.bottom);
        AddStrip(cover, area.left, hidden.top, hidden.left, hidden.bottom);
        AddStrip(cover, hidden.right, hidden.top, area.right, hidden.bottom);
        return cover;
    }
    return {};
}
