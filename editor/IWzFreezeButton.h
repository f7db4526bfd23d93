#pragma once

#include "graphics/ISwitchControl.h"

namespace Wezmark
{
class IScopeController;
}

// Freezes and unfreezes the scope; the button shows its own last toggle.
class IWzFreezeButton : public ISwitchControl
{
public:
    IWzFreezeButton(IEffectBase* plug, int x, int y, const BitmapStrip* strip, Wezmark::IScopeController* scope);

    void OnMouseDown(int x, int y, const MouseModifiers* mods) override;

private:
    Wezmark::IScopeController* mScope;
    bool mFrozen = false;
};
