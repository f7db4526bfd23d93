#pragma once

#include "graphics/BitmapStrip.h"
#include "graphics/IKnobControl.h"

// A knob drawn as one frame of a strip, chosen from its value.
class IKnobMultiControl : public IKnobControl
{
public:
    // The rect is the frame's size at (x, y).
    IKnobMultiControl(IEffectBase* plug, int x, int y, int paramIndex, const BitmapStrip* strip,
                      int direction = kVertical, double gearing = kDefaultGearing, BlendSpec blend = {});

    bool Draw(IGraphics* graphics) override;

    const BitmapStrip& GetBitmap() const { return mBitmap; }

protected:
    BitmapStrip mBitmap;
};
