#pragma once

#include <cstdint>

// One step of a one-pole smoother. Once a step leaves the state where it was, every later
// step does too while the target stays: the state has settled exactly, and a block can use
// it as a constant instead of stepping it frame by frame.
inline double SmootherStep(double state, double keep, double take, double target)
{
    return state * keep + take * target;
}

// A state this close to an off target of exactly 0 counts as there: far below anything a
// unit's output could show, and reached within a few thousand steps of any glide.
constexpr double kOffReached = 1e-15;

// One step of a smoother that may glide a unit out: toward a target of exactly 0 it lands on
// 0 once it is close enough, so that the unit can stop instead of decaying for ever.
inline double GlideOutStep(double state, double keep, double take, double target)
{
    const double next = SmootherStep(state, keep, take, target);
    return target == 0.0 && next < kOffReached && next > -kOffReached ? 0.0 : next;
}

// Whether a smoother steps at `frame` of a block. A stage that runs oversampled has several
// frames per host frame; its smoothers step on the first of them only, so that a glide lasts
// as long as it does at the host rate and settles on the same value. Such a stage is handed
// whole host frames at a time.
inline bool StepsAt(int32_t frame, int32_t framesPerHostFrame)
{
    return frame % framesPerHostFrame == 0;
}
