#pragma once

#include "graphics/ISwitchControl.h"

namespace Wezmark
{
class IScopeController;

// Cycles the scope's three draw modes; frames 0, 1 and 2 of its strip show them.
class IWzDrawModeButton : public ISwitchControl
{
public:
    IWzDrawModeButton(IEffectBase* plug, int x, int y, const BitmapStrip* strip, IScopeController* scope);

    void OnMouseDown(int x, int y, const MouseModifiers* mods) override;

private:
    IScopeController* mScope;
};
} // namespace Wezmark
