#include "editor/IZoomTextControl.h"

#include "editor/ScopeWheelZoom.h"

IZoomTextControl::IZoomTextControl(IEffectBase* plug, const Rect& rect, const TextStyle* style,
                                   Wezmark::IScopeController* scope)
    : ITextControl(plug, rect, style), mScope(scope)
{
}

void IZoomTextControl::OnMouseWheel(int, int, const MouseModifiers*, int notches)
{
    ZoomScopeByWheel(mScope, notches);
}
