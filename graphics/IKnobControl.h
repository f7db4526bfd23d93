#pragma once

#include "graphics/IControl.h"

// A control turned by dragging: vertically (up raises the value) or horizontally. A drag
// over the whole control changes the value by 1 / gearing; Shift or Control gear it ten
// times finer.
class IKnobControl : public IControl
{
public:
    static constexpr int32_t kVertical = 0;
    static constexpr int32_t kHorizontal = 1;
    static constexpr double kDefaultGearing = 4.0;

    IKnobControl(IEffectBase* plug, const Rect& rect, int paramIndex, int direction = kVertical,
                 double gearing = kDefaultGearing, BlendSpec blend = {});

    void OnMouseDrag(int x, int y, int dx, int dy, const MouseModifiers* mods) override;
    // 0.01 per notch, 0.001 with Shift or Control.
    void OnMouseWheel(int x, int y, const MouseModifiers* mods, int notches) override;

    int GetDirection() const { return mDirection; }
    double GetGearing() const { return mGearing; }

protected:
    int32_t mDirection;
    double mGearing;
};
