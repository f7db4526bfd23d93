#pragma once

#include <cstdint>

// A transfer curve's table as the wide look-up reads it.
struct WideCurve
{
    const double* table;
    int32_t count;
    double lastIndex;
    bool hermite;
};

// The distortion's pass over a block whose amount has settled, two frames at a time with
// 256-bit AVX2: each sample is cleaned, looked up in the curve (Hermite or linear), driven by
// `gain`, clamped, folded where asked and mixed with weight `mix`, lane by lane with the same
// operations as the portable pass. Only for a processor where AvailableSimdLevel allows it.
// Returns the frames done: `n` rounded down to an even number.
int32_t ShapeSettledWide(double* const io[2], int32_t n, const WideCurve& curve, double gain, double mix,
                         bool folding);
