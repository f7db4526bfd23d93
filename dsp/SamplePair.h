#pragma once

// Two samples as one value, such as the left and right sample of a frame: arithmetic on it
// works on both at once (one SIMD register), lane by lane exactly as on two doubles.
// Comparisons give a mask per lane.
using SamplePair = double __attribute__((vector_size(2 * sizeof(double))));

// Lanes that are infinite or NaN become 0: a lane minus itself is 0 exactly when it is finite.
inline SamplePair FiniteOrZero(SamplePair value)
{
    return value - value == 0.0 ? value : SamplePair{};
}
