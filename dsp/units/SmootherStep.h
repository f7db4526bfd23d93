#pragma once

// One step of a one-pole smoother. Once a step leaves the state where it was, every later
// step does too while the target stays: the state has settled exactly, and a block can use
// it as a constant instead of stepping it frame by frame.
inline double SmootherStep(double state, double keep, double take, double target)
{
    return state * keep + take * target;
}
