#pragma once

#include <cstdint>

// What the dynamic shaper's settled block keeps for every frame: the window, the settings and
// the input drive.
struct WideBumps
{
    double lower;
    double upper;
    double width;
    // The effective amount, which scales the waveform and, in the boosting modes, the boost.
    double a;
    double inversion;
    bool boost;
    // Samples are driven by `driveGain` and clamped first.
    bool driving;
    double driveGain;
    uint32_t waveform;
    uint32_t polarity;
    // Width or amount at 0: nothing is shaped.
    bool everythingPasses;
    const double* steps16;
    const double* steps64;
};

// The dynamic shaper's pass over a block whose window neither glides nor fades, four frames of
// each channel at a time with 256-bit AVX2 and no branch on the samples: the portable shaping's
// operations lane by lane, so its result bit for bit, but for the phase's divide, which is a
// product by the width's reciprocal corrected to the divide's result. Random values are drawn
// in the portable order. A block that glides in the portable loop thus sounds as it would
// had it settled. Only for a processor where AvailableSimdLevel allows it, and where
// ShapeBumpsWideServes.
void ShapeBumpsWide(double* const io[2], int32_t n, const WideBumps& bumps);

// Whether the width is in the range where its reciprocal and the corrections neither overflow
// nor lose bits.
bool ShapeBumpsWideServes(const WideBumps& bumps);
