#pragma once

#include "dsp/units/SmootherStep.h"

#include <cstdint>

// A one-pole glide toward a target, stepped once per frame.
struct Smoother
{
    // The complement is 1 - coefficient as computed in doubles. A glide comes to rest where a
    // step no longer moves it, within a few rounding steps of its target, not always on it.
    void SetCoefficient(double keep)
    {
        coefficient = keep;
        complement = 1.0 - keep;
    }

    double Step(double target)
    {
        value = SmootherStep(value, coefficient, complement, target);
        return value;
    }

    // True when a step toward target leaves the value as it is, and so every later one too.
    bool Settled(double target) const { return SmootherStep(value, coefficient, complement, target) == value; }

    // Calls frame(i, value) for frames 0 .. n - 1, the value stepped once per frame; a settled
    // value is not stepped at all.
    template <class Frame>
    void Glide(double target, int32_t n, Frame frame)
    {
        if (Settled(target))
        {
            for (int32_t i = 0; i < n; ++i)
                frame(i, value);
            return;
        }
        for (int32_t i = 0; i < n; ++i)
            frame(i, Step(target));
    }

    double coefficient = 0.99;
    double complement = 0.01;
    double value = 0.0;
};
