#pragma once

// Two samples as one value, such as the left and right sample of a frame: arithmetic on it
// works on both at once (one SIMD register), lane by lane exactly as on two doubles.
// Comparisons give a mask per lane.
using SamplePair = double __attribute__((vector_size(2 * sizeof(double))));
