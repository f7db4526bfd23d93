#pragma once

#include "graphics/ISwitchControl.h"

// A two-frame switch that shows the state the effect is in, by the effect's own rule for its
// parameter, and a click turns that state over.
class IWzOnOffSwitch : public ISwitchControl
{
public:
    using IsOn = bool (*)(double value);

    IWzOnOffSwitch(IEffectBase* plug, int x, int y, int paramIndex, const BitmapStrip* strip, IsOn isOn);

    void OnMouseDown(int x, int y, const MouseModifiers* mods) override;
    double FrameValue() const override;

private:
    IsOn mIsOn;
};
