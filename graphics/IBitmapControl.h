#pragma once

#include "graphics/BitmapStrip.h"
#include "graphics/IControl.h"

// A control that draws one frame of a bitmap strip, chosen from its value.
class IBitmapControl : public IControl
{
public:
    // The rect is the frame's size at (x, y).
    IBitmapControl(IEffectBase* plug, int x, int y, int paramIndex, const BitmapStrip* strip,
                   int blendMethod = BlendSpec::kCopySourceAlpha);
    // Unbound, copying with source alpha.
    IBitmapControl(IEffectBase* plug, int x, int y, const BitmapStrip* strip);

    bool Draw(IGraphics* graphics) override;

    const BitmapStrip& GetBitmap() const { return mBitmap; }

    // The source position of the frame a strip shows for a value: with n frames, frame
    // trunc((n - 1) * value + 0.5) + 1, clamped to 1..n, at a rounded offset along the strip.
    static void FramePosition(const BitmapStrip& strip, double value, int* srcX, int* srcY);

protected:
    BitmapStrip mBitmap;
};
