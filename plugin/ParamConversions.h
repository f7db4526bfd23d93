#pragma once

#include <cstdint>

// What a parameter's plain value sets in its unit, for the units and for the texts that show
// the setting; pure functions, free to call on any thread.
namespace ParamConversions
{
constexpr int kChannelModeSteps = 4;
constexpr int kThreeWaySteps = 2;
constexpr int kSlopeSteps = 3;
constexpr int kShaperWaveformSteps = 8;
constexpr int kShaperModeSteps = 3;
constexpr int kFilterTypeSteps = 30;

// The filter unit's cutoff in Hz, clamped to 20 .. 21000 Hz.
double CutoffHz(double p);
// The value whose cutoff is `hz` (limited to the clamped range).
double CutoffPosition(double hz);
// round(steps * p).
uint32_t Steps(double p, int steps);
// On/off switches are off only at exactly 0.
bool IsOff(double p);
bool IsOn(double p);
// The link, the auto make-up and oversampling are on only above 0.5.
bool IsAboveHalf(double p);
double ReducerRatio(double p);
// The value whose reducer ratio is `ratio` (limited to 0..1).
double ReducerPosition(double ratio);
double GateThreshold(double p);
// The value whose gate threshold is `threshold` (limited to 0..1).
double GatePosition(double threshold);
double QuantizerAmount(double p);
double QuantizerBits(double p);
// The value whose bit depth is `bits` (limited to 0..1).
double QuantizerPosition(double bits);
}
