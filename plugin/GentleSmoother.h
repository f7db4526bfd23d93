#pragma once

#include "plugin/Smoother.h"

#include <cstdint>

// A glide that starts gently: a one-pole glide following another one. Its pace rises from
// nothing and peaks at about 1/e of a single one-pole's first step, so a blend between two signals
// that differ a lot does not step at the start of a move.
class GentleSmoother
{
public:
    void SetCoefficient(double keep)
    {
        mLeading.SetCoefficient(keep);
        mHeard.SetCoefficient(keep);
    }

    // Where the glide stands at once, at rest.
    void Jump(double value)
    {
        mLeading.value = value;
        mHeard.value = value;
    }

    double Value() const { return mHeard.value; }

    // True when a step toward target leaves both stages as they are, and so every later one too.
    bool Settled(double target) const { return mLeading.Settled(target) && mHeard.Settled(mLeading.value); }

    // Calls frame(i, value) for frames 0 .. n - 1, the value stepped once per frame; a settled
    // glide is not stepped at all.
    template <class Frame>
    void Glide(double target, int32_t n, Frame frame)
    {
        if (Settled(target))
        {
            for (int32_t i = 0; i < n; ++i)
                frame(i, mHeard.value);
            return;
        }
        for (int32_t i = 0; i < n; ++i)
            frame(i, mHeard.Step(mLeading.Step(target)));
    }

private:
    Smoother mLeading;
    Smoother mHeard;
};
