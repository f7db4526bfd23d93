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

    // Blits the value's frame over the rect. Subclasses that draw more begin with this blit,
    // so the opaque part of their image is theirs too.
    bool Draw(IGraphics* graphics) override;
    // Copying at full weight, where every frame of the image is opaque.
    Rect OpaqueRect() const override;
    // The blit is clipped; a subclass that draws more must say whether that is.
    bool DrawsOnlyWithinClip() const override { return true; }

    const BitmapStrip& GetBitmap() const { return mBitmap; }

    // The source position of the frame a strip shows for a value: with n frames, frame
    // trunc((n - 1) * value + 0.5) + 1, clamped to 1..n, at a rounded offset along the strip.
    static void FramePosition(const BitmapStrip& strip, double value, int* srcX, int* srcY);

    // The value whose frame Draw shows: the control's value unless a switch shows a state.
    virtual double FrameValue() const { return GetValue(); }

protected:
    BitmapStrip mBitmap;

private:
    static constexpr int32_t kInsetUnknown = -2;
    // The part of the rect where every frame of the image is opaque, at full weight.
    Rect OpaqueFrameRect() const;

    // Found on first use, on the UI thread.
    mutable int32_t mOpaqueInset = kInsetUnknown;
};
