#pragma once

#include <cstdint>

class DistortionCurve;

// The edits of the curve-action menu, in menu order.
enum CurveAction : uint32_t
{
    kRestoreCurve = 0,
    kNormalizeCurve,
    kCompressCurve,
    kBoostCurve,
    kSmoothCurve,
    kSharpCurve,
    kLowPassCurve,
    kHighPassCurve,
    kSmoothZeroCrossing,
    kAddNoise,
    kAddDynamicNoise,
    kInvertCurve,
    kMirrorPositivePart,
    kMirrorNegativePart,
    kQuantize64,
    kQuantize32,
    kQuantize16,
    kQuantize8,
    kLinearMix,
    kResetLinear,
    kNoCurveAction,
};

// What the actions read besides the curve itself.
struct CurveActionSources
{
    // Read by the compress action through its own points and interpolation; may be null.
    const DistortionCurve* compressor = nullptr;
    // The built-in points of the curve's id for the restore action; may be null.
    const double* builtinPoints = nullptr;
    int32_t builtinCount = 0;
};

// Runs one action on the curve's points; kNoCurveAction and larger values, and a curve that reads
// shared tables, change nothing. Nothing allocates, so a pending action may run on the audio
// thread; the noise actions draw from the process-wide SharedRandom.
void RunCurveAction(DistortionCurve& curve, uint32_t action, const CurveActionSources& sources);
