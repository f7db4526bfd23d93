#pragma once

#include "graphics/IContactControl.h"

struct ProgramParameters;

// Steps a selector parameter through its N states, one per click or ten with the right
// button, from the value the plug-in holds. It sends the value itself: its own parameter
// index stays -1, so the host sees only the one change.
class IWzModeSwitch : public IContactControl
{
public:
    static constexpr int kUp = 1;
    static constexpr int kDown = -1;

    // Any direction other than kUp steps down.
    IWzModeSwitch(IEffectBase* plug, int x, int y, const BitmapStrip* strip, int paramIndex, int stateCount,
                  const ProgramParameters* values, bool wrap, int direction);

    void OnMouseDown(int x, int y, const MouseModifiers* mods) override;

    // The normalised value one press leads to from `value`.
    static double NextValue(double value, int stateCount, bool wrap, bool up, bool largeStep);

private:
    int32_t mSteppedParam;
    int32_t mStateCount;
    const ProgramParameters* mValues;
    bool mWrap;
    int32_t mDirection;
};
