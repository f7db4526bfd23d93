#include "editor/IWzModeSwitch.h"

#include "framework/IEffectBase.h"
#include "plugin/ProgramParameters.h"

#include <algorithm>
#include <cmath>

namespace
{
constexpr int kLargeStep = 10;
}

IWzModeSwitch::IWzModeSwitch(IEffectBase* plug, int x, int y, const BitmapStrip* strip, int paramIndex,
                             int stateCount, const ProgramParameters* values, bool wrap, int direction)
    : IContactControl(plug, x, y, strip), mSteppedParam(paramIndex), mStateCount(stateCount), mValues(values),
      mWrap(wrap), mDirection(direction)
{
}

double IWzModeSwitch::NextValue(double value, int stateCount, bool wrap, bool up, bool largeStep)
{
    const int last = stateCount - 1;
    const int state = static_cast<int>(std::floor(value * last + 0.5));
    if (largeStep)
        return std::clamp(static_cast<double>(up ? state + kLargeStep : state - kLargeStep) / last, 0.0, 1.0);
    if (up)
        return state != last ? static_cast<double>(state + 1) / last : (wrap ? 0.0 : value);
    return state != 0 ? static_cast<double>(state - 1) / last : (wrap ? 1.0 : value);
}

// A selector of one state has nowhere to go, and its steps would divide by zero.
void IWzModeSwitch::OnMouseDown(int, int, const MouseModifiers* mods)
{
    mValue.store(1.0);
    if (mStateCount < 2 || !mValues)
        return;
    const double next = NextValue(mValues->Get(mSteppedParam), mStateCount, mWrap, mDirection == kUp,
                                  mods && mods->right);
    SetDirty(true);
    if (mPlug)
        mPlug->SetParamFromEditor(mSteppedParam, next);
}
