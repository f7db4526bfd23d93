#pragma once

#include "graphics/IContactControl.h"

namespace Wezmark
{
class IScopeController;
}

// Zooms the scope one step per click, four with the right button.
class IWzZoomSwitch : public IContactControl
{
public:
    static constexpr int kZoomIn = 0;
    static constexpr int kZoomOut = 1;

    // Any direction other than kZoomIn zooms out.
    IWzZoomSwitch(IEffectBase* plug, int x, int y, const BitmapStrip* strip, Wezmark::IScopeController* scope,
                  int zoomDirection);

    void OnMouseDown(int x, int y, const MouseModifiers* mods) override;

private:
    Wezmark::IScopeController* mScope;
    int32_t mZoomDirection;
};
