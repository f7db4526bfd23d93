#pragma once

#include "graphics/ITextControl.h"

namespace Wezmark
{
class IScopeController;
}

// The scope zoom as text; the scope controller writes it, the mouse wheel over it zooms.
class IZoomTextControl : public ITextControl
{
public:
    IZoomTextControl(IEffectBase* plug, const Rect& rect, const TextStyle* style, Wezmark::IScopeController* scope);

    void OnMouseWheel(int x, int y, const MouseModifiers* mods, int notches) override;

private:
    Wezmark::IScopeController* mScope;
};
