#pragma once

#include "graphics/ISwitchControl.h"

// A momentary switch: pressed it steps like a switch, released it returns to 0.
class IContactControl : public ISwitchControl
{
public:
    using ISwitchControl::ISwitchControl;

    void OnMouseUp(int x, int y, const MouseModifiers* mods) override;
};
