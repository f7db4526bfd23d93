#pragma once

#include "graphics/IBitmapControl.h"

// Each press steps the value by one frame, wrapping after the last.
class ISwitchControl : public IBitmapControl
{
public:
    using IBitmapControl::IBitmapControl;

    void OnMouseDown(int x, int y, const MouseModifiers* mods) override;
    void OnMouseDoubleClick(int x, int y, const MouseModifiers* mods) override;
};
