#pragma once

#include "dsp/units/curves/DistortionCurve.h"

#include <cstdint>
#include <optional>

// A transfer curve's table as the wide look-up reads it.
struct WideCurve
{
    const double* table;
    int32_t count;
    double lastIndex;
    bool hermite;
};

// The pass of a block whose amount has settled, four frames of each channel at a time with
// 256-bit AVX2: each sample is cleaned, looked up in the curve as LookupBlockWide does,
// driven by `gain`, clamped, folded where asked and mixed with weight `mix` into the cleaned
// sample, with the operations of the portable passes of the distortion and the saturator
// after the look-up. Only for a processor where AvailableSimdLevel allows it.
void ShapeSettledWide(double* const io[2], int32_t n, const WideCurve& curve, double gain, double mix, bool folding);

// How the amount of a gliding block steps: toward `target` by SmootherStep, on the first
// frame of each host frame, with GlideOutStep's landing on a target of 0.
struct AmountGlide
{
    double keep;
    double take;
    double target;
    int32_t framesPerHostFrame;
};

// How a frame's gain follows from its amount s: (s gain + 1) scale while driving, else 2 s.
struct AmountDrive
{
    bool driving;
    double gain;
    double scale;
};

// The pass of a block whose amount glides from `smoothed`: as ShapeSettledWide's, but each
// frame is driven and mixed with the gain and mix of its own amount, computed as the portable
// per-frame pass computes them. Where the glide lands on 0 the pass stops, leaving that frame
// and the ones after it as they came. Answers the frames shaped, and leaves the amount after
// them in `smoothed` (0 where it landed). Only for a processor where AvailableSimdLevel
// allows it.
int32_t ShapeGlidingWide(double* const io[2], int32_t n, const WideCurve& curve, const AmountGlide& glide,
                         const AmountDrive& drive, bool folding, double& smoothed);

// Lookup of each of the n samples of `in` into `out` (the same array or apart), four at a time,
// as the curve's LookupBlock gives them to within rounding: the Hermite sum is fused. Only for
// a processor where AvailableSimdLevel allows it.
void LookupBlockWide(const WideCurve& curve, const double* in, double* out, int32_t n);

// What the wide loops read of `table` in the curve's interpolation mode: none for the modes
// they do not run, or for a table they cannot read.
std::optional<WideCurve> WideCurveOf(const DistortionCurve& curve, const double* table);
