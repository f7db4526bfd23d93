#pragma once

#include "dsp/units/SmootherStep.h"

#include <algorithm>
#include <cstdint>

// Frames whose glide values are stepped into a buffer at a time, before they are applied: the
// stepping keeps its state in a register, and the loops that apply them vectorise.
constexpr int32_t kGlideChunk = 128;

// The value of a settled glide at every frame, read as the stepped values are.
struct SettledValue
{
    double operator[](int32_t) const { return value; }
    double value;
};

// Calls apply(first, values, count) over frames 0 .. n - 1, values[k] being the glide's value at
// frame first + k: a buffer of values stepped once per frame (StepInto) in chunks while the
// glide moves, and its value (Value) as a SettledValue for the rest once it has settled
// (Settled). The apply loops are the same for both.
template <class Glide, class Apply>
void GlideInChunks(Glide& glide, double target, int32_t n, Apply apply)
{
    for (int32_t first = 0; first < n;)
    {
        if (glide.Settled(target))
        {
            apply(first, SettledValue{glide.Value()}, n - first);
            return;
        }
        double values[kGlideChunk];
        const int32_t count = std::min(kGlideChunk, n - first);
        glide.StepInto(target, values, count);
        apply(first, static_cast<const double*>(values), count);
        first += count;
    }
}

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

    // True when a step toward target leaves the value as it is, and so every later one too.
    bool Settled(double target) const { return SmootherStep(value, coefficient, complement, target) == value; }

    double Value() const { return value; }

    // The next `count` steps toward target into values.
    void StepInto(double target, double* values, int32_t count)
    {
        const double keep = coefficient;
        const double take = complement;
        double state = value;
        for (int32_t i = 0; i < count; ++i)
            values[i] = state = SmootherStep(state, keep, take, target);
        value = state;
    }

    // Calls apply(first, values, count) over frames 0 .. n - 1 as GlideInChunks does.
    template <class Apply>
    void Glide(double target, int32_t n, Apply apply)
    {
        GlideInChunks(*this, target, n, apply);
    }

    // Steps this glide and `other` side by side, `count` steps each toward their targets, into
    // their values: each one's wait for its previous step is spent on the other's.
    void StepInto(double target, double* values, Smoother& other, double otherTarget, double* otherValues,
                  int32_t count)
    {
        const double keep = coefficient;
        const double take = complement;
        const double otherKeep = other.coefficient;
        const double otherTake = other.complement;
        double state = value;
        double otherState = other.value;
        for (int32_t i = 0; i < count; ++i)
        {
            values[i] = state = SmootherStep(state, keep, take, target);
            otherValues[i] = otherState = SmootherStep(otherState, otherKeep, otherTake, otherTarget);
        }
        value = state;
        other.value = otherState;
    }

    double coefficient = 0.99;
    double complement = 0.01;
    double value = 0.0;
};
