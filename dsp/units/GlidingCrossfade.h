#pragma once

#include "dsp/units/SmootherStep.h"

#include <cstdint>

// Crossfades from `leaving` to `io` in place: the weight of `leaving` glides from `weight`
// toward 0 one step per host frame and lands on it. Gives the weight after the last frame.
inline double GlidingCrossfade(double* const io[2], const double* const leaving[2], int32_t frames, double weight,
                               double keep, double take, int32_t framesPerHostFrame)
{
    for (int32_t i = 0; i < frames; ++i)
    {
        if (StepsAt(i, framesPerHostFrame))
            weight = GlideOutStep(weight, keep, take, 0.0);
        io[0][i] = (1.0 - weight) * io[0][i] + weight * leaving[0][i];
        io[1][i] = (1.0 - weight) * io[1][i] + weight * leaving[1][i];
    }
    return weight;
}
