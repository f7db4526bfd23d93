#pragma once

#include <cstdint>

// Every glide, fade, settle and warm-up of the plug-in, in the notation it was tuned in: a
// one-pole keep per frame at 44.1 kHz ("Keep"), a linear step per frame at 44.1 kHz ("Step"),
// frames at 44.1 kHz ("Frames") or seconds. Each unit turns them into its own coefficients for
// the rate it is prepared at (GlideTimes), so 44.1 kHz output depends on exactly these numbers.
namespace TimeConstants
{
// --- Parameter glides ---

// The pace of most parameter glides (a time constant of 45 frames, about 1 ms).
inline constexpr double kParameterKeep = 0.9777;
// The pace a unit's glides take before it is prepared (or, for the curve units, loaded).
inline constexpr double kUnpreparedKeep = 0.99;

// The main output's pan: at the parameter pace it stepped by half as much again as the signal.
inline constexpr double kPanKeep = 0.995;
// The main output's volume falls at the parameter pace. It rises over about 20 ms: the units in
// front may still be gliding out of a louder setting after a program change, and a faster rise
// met that louder signal (up to 8 dB above either settled level).
inline constexpr double kVolumeFallKeep = kParameterKeep;
inline constexpr double kVolumeRiseKeep = 0.999;
// The dry/wet mix.
inline constexpr double kDryWetKeep = kParameterKeep;

// The input gain.
inline constexpr double kInputGainKeep = 0.999;
// The input's DC offset moves the whole waveform: at the parameter pace it stepped by up to four
// times the signal's own steps.
inline constexpr double kInputOffsetKeep = 0.9995;
// The dead zone's threshold.
inline constexpr double kDeadZoneKeep = 0.9944;
// The sample-rate reducer's hold ratio.
inline constexpr double kRateRatioKeep = kParameterKeep;
// The quantiser's crossfade to new settings.
inline constexpr double kQuantizerKeep = kParameterKeep;
// The distortion's amount and its crossfade to a new shaping, once its curves are loaded.
inline constexpr double kDistortionKeep = kParameterKeep;
// The saturator's amount and drive, once its curves are loaded.
inline constexpr double kSaturatorKeep = kParameterKeep;
// The dynamic shaper's amount and its crossfade to a new shaping.
inline constexpr double kShaperAmountKeep = 0.99;
// The dynamic shaper's presence: 500 frames from out to in.
inline constexpr double kShaperPresenceStep = 0.002;

// The filter slots' balance.
inline constexpr double kFilterBalanceKeep = kParameterKeep;
// The sub- and disto-band gains.
inline constexpr double kBandGainKeep = kParameterKeep;
// The dump expander's amount (about 45 ms).
inline constexpr double kDumpAmountKeep = 0.9995;

// The output limiter's threshold.
inline constexpr double kLimiterThresholdKeep = 0.9944;
// The limiter holds harder at the parameter pace; it lets go over about 20 ms, so that a loud
// signal from before a change is still held while the units in front glide to their new
// settings. Let go at the threshold's pace, a driven program switched to one without the
// limiter rose by up to 2 dB.
inline constexpr double kLimiterHoldHarderKeep = kParameterKeep;
inline constexpr double kLimiterLetGoKeep = 0.999;

// --- Filter designs' glides to new settings ---

// A design's usual glide.
inline constexpr int32_t kDesignTransitionFrames = 256;
// A filter slot's type change at transition speeds 0, 1 and 2.
inline constexpr int32_t kFilterSlowTransitionFrames = 2048;
inline constexpr int32_t kFilterMediumTransitionFrames = 512;
inline constexpr int32_t kFilterFastTransitionFrames = 256;
// An equaliser gain from one end of its range to the other over the usual 256 frames stepped by
// up to 1.75 times the signal's own steps.
inline constexpr int32_t kEqGainTransitionFrames = 1024;
// The band split's sweep in or out: slow enough that the bands sum about as they do settled at
// each split it passes.
inline constexpr int32_t kSplitSweepFrames = 4096;
// The band split's crossfade from one slope to another.
inline constexpr int32_t kSplitSlopeFadeFrames = 256;

// --- Switch fades ---

// A unit switched on or off: 500 frames from one end of the fade to the other.
inline constexpr double kUnitSwitchFadeStep = 0.002;
// The main bypass.
inline constexpr double kBypassKeep = 0.988;
// A switch of oversampling crossfades between two paths that differ in delay by a fraction of a
// millisecond; the crossfade's own slope is that difference over this length (at 6 ms a 100 Hz
// sine stepped 8 % further than its own steps, at 20 ms 2.5 %).
inline constexpr double kOversamplingCrossfadeSeconds = 0.02;

// --- Warm-ups and settles ---

// A path that starts to run settles on the signal before it is heard: the effect path coming
// back from a full bypass, or the path of the other rate on a switch of oversampling.
inline constexpr double kPathWarmUpSeconds = 0.05;
// A new band-split slope, started from silent memory, rises to the signal over its own group
// delay (several ms for order 8); crossfaded to at once, the band dipped.
inline constexpr double kSplitSlopeWarmUpSeconds = 0.05;
// A dump expander pair started afresh settles on the signal.
inline constexpr double kDumpSlopeWarmUpSeconds = 0.05;
// A program change fades the old program out and the new one in, each over this time, and lets
// the new one settle unheard in between: at least 4 windows of 10 ms, or while its output still
// moves from one window to the next, up to 7 (as long as a resonant band pass at ~140 Hz rings in).
inline constexpr double kProgramFadeSeconds = 0.01;
inline constexpr double kProgramSettleWindowSeconds = 0.01;
inline constexpr int32_t kProgramShortestSettleWindows = 4;
inline constexpr int32_t kProgramLongestSettleWindows = 7;
// The program change's work at its quiet point is spread over steps this far apart: longer than a
// 64-frame block at 44.1 kHz, so that such a block takes no more than one step.
inline constexpr double kQuietPointStepSeconds = 0.0015;

// --- Meters ---

// The editor's output level meter.
inline constexpr double kMeterAttackSeconds = 0.01;
inline constexpr double kMeterReleaseSeconds = 0.5;
} // namespace TimeConstants
