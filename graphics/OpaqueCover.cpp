#include "graphics/OpaqueCover.h"

#include "graphics/IControl.h"
#include "graphics/RectStrips.h"

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
        cover.stripCount = StripsAround(area, hidden, cover.strips);
        return cover;
    }
    return {};
}
