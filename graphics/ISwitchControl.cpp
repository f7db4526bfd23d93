#include "graphics/ISwitchControl.h"

namespace
{
// A little above 1 so that rounding in the steps never skips the last frame.
constexpr double kWrapAbove = 1.001;
}

void ISwitchControl::OnMouseDown(int, int, const MouseModifiers*)
{
    const double step = mBitmap.frames > 1 ? 1.0 / (mBitmap.frames - 1) : 1.0;
    double value = GetValue() + step;
    if (value > kWrapAbove)
        value = 0.0;
    mValue.store(value);
    SetDirty(true);
}

void ISwitchControl::OnMouseDoubleClick(int x, int y, const MouseModifiers* mods)
{
    OnMouseDown(x, y, mods);
}
