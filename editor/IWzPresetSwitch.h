#pragma once

#include "graphics/IContactControl.h"

// Steps the plug-in's program: one program per click, ten with the right button.
class IWzPresetSwitch : public IContactControl
{
public:
    static constexpr int kNext = 1;
    static constexpr int kPrevious = -1;

    // Any direction other than kNext steps back.
    IWzPresetSwitch(IEffectBase* plug, int x, int y, const BitmapStrip* strip, int direction);

    void OnMouseDown(int x, int y, const MouseModifiers* mods) override;

private:
    int32_t mDirection;
};
