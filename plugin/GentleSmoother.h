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

    // The next `count` steps toward target into values.
    void StepInto(double target, double* values, int32_t count)
    {
        const double leadingKeep = mLeading.coefficient;
        const double leadingTake = mLeading.complement;
        const double heardKeep = mHeard.coefficient;
        const double heardTake = mHeard.complement;
        double leading = mLeading.value;
        double heard = mHeard.value;
        for (int32_t i = 0; i < count; ++i)
        {
            leading = SmootherStep(leading, leadingKeep, leadingTake, target);
            values[i] = heard = SmootherStep(heard, heardKeep, heardTake, leading);
        }
        mLeading.value = leading;
        mHeard.value = heard;
    }

    // Calls apply(first, values, count) over frames 0 .. n - 1 as GlideInChunks does.
    template <class Apply>
    void Glide(double target, int32_t n, Apply apply)
    {
        GlideInChunks(*this, target, n, apply);
    }

private:
    Smoother mLeading;
    Smoother mHeard;
};
