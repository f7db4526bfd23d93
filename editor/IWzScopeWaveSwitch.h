#pragma once

#include "graphics/ISwitchControl.h"

namespace Wezmark
{
class IScopeController;

// Shows or hides one scope trace.
class IWzScopeWaveSwitch : public ISwitchControl
{
public:
    static constexpr int kInputTrace = 1;
    static constexpr int kOutputTrace = 2;

    IWzScopeWaveSwitch(IEffectBase* plug, int x, int y, const BitmapStrip* strip, IScopeController* scope, int kind);

    void OnMouseDown(int x, int y, const MouseModifiers* mods) override;

private:
    IScopeController* mScope;
    int32_t mKind;
};
} // namespace Wezmark
