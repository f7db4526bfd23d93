#pragma once

#include "graphics/BitmapStrip.h"
#include "graphics/IControl.h"

// A handle that follows the mouse along a track, vertical (top is 1) or horizontal.
class IFaderControl : public IControl
{
public:
    static constexpr int32_t kVertical = 0;
    static constexpr int32_t kHorizontal = 1;

    // The track starts at the rect's top-left corner and runs `trackLength` pixels; the handle
    // is the strip's first frame, `handleLength` pixels long along the track (the strip's
    // width when negative).
    IFaderControl(IEffectBase* plug, const Rect& rect, int paramIndex, const BitmapStrip* handle, int trackLength,
                  int direction = kVertical, int handleLength = -1, bool hitOnHandleOnly = false,
                  BlendSpec blend = {});

    void OnMouseDown(int x, int y, const MouseModifiers* mods) override;
    void OnMouseDrag(int x, int y, int dx, int dy, const MouseModifiers* mods) override;
    void OnMouseWheel(int x, int y, const MouseModifiers* mods, int notches) override;
    bool Draw(IGraphics* graphics) override;
    bool IsHit(int x, int y) override;

    // Centres the handle on the mouse position along the track.
    virtual void SnapToMouse(int x, int y);
    // Where the handle is drawn for the current value.
    Rect GetHandleRect() const;

protected:
    int32_t UsableLength() const { return mTrackLength - mHandleLength; }

    int32_t mTrackLength;
    int32_t mHandleLength;
    BitmapStrip mHandle;
    int32_t mDirection;
    bool mHitOnHandleOnly;
};
