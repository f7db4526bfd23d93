#include "graphics/IKnobMultiControl.h"

#include "graphics/IBitmapControl.h"
#include "graphics/IGraphics.h"

IKnobMultiControl::IKnobMultiControl(IEffectBase* plug, int x, int y, int paramIndex, const BitmapStrip* strip,
                                     int direction, double gearing, BlendSpec blend)
    : IKnobControl(plug, (strip ? *strip : BitmapStrip{}).FrameRectAt(x, y), paramIndex, direction, gearing, blend),
      mBitmap(strip ? *strip : BitmapStrip{})
{
}

bool IKnobMultiControl::Draw(IGraphics* graphics)
{
    int srcX = 0;
    int srcY = 0;
    IBitmapControl::FramePosition(mBitmap, GetValue(), &srcX, &srcY);
    const BlendSpec blend = GetBlend();
    return graphics->DrawBitmap(&mBitmap, &mDrawRect, srcX, srcY, &blend);
}
