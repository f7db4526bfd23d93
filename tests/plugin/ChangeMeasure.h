#pragma once
// A setting changed during playback, measured as a demanding listener would: a 200 Hz sine at
// -6 dBFS through the VST2 double entry, the change made at a block boundary, then the largest
// sample-to-sample step and the deepest level dip after it, against the settled signals.

#include "tests/plugin/PluginRig.h"

#include <functional>
#include <utility>
#include <vector>

namespace ChangeMeasure
{
inline constexpr double kSineHz = 200.0;
inline constexpr double kSineAmplitude = 0.5;
// Where the change comes, and how long after it the render is watched.
inline constexpr double kSettleSeconds = 0.5;
inline constexpr double kWatchSeconds = 0.25;

// Program 0 with settings on top: a neutral program, one with the distortion on and one with
// the sub-band on.
struct StartingPoint
{
    const char* name;
    std::vector<std::pair<int, double>> values;
};
const std::vector<StartingPoint>& StartingPoints();
void Prepare(PluginRig& rig, const StartingPoint& start);

struct Render
{
    Signal left;
    int changeAt = 0;
};

// Renders the sine on both channels in blocks of `block`; `change` runs before the first
// block that starts at or after the settle time.
Render RenderChange(PluginRig& rig, double rate, int block, const std::function<void()>& change);

// The largest step between neighbouring frames from `from` on for `frames` frames.
double LargestStep(const Signal& signal, int from, int frames);
// The quietest sine period (its peak) from `from` on for `frames` frames.
double QuietestPeriod(const Signal& signal, int from, int frames, double rate);

// The settled signal's steepest step and level before the change.
double SettledStep(const Render& render, double rate);
double SettledLevel(const Render& render, double rate);

// How a change compares with the settled signals on either side of it.
struct Result
{
    // Largest step within the watch time over the steepest settled one.
    double stepRatio = 0.0;
    // How far the quietest period falls below the quieter settled level, in dB (0 when none,
    // and 0 where that level is silence).
    double dipDb = 0.0;
};

// `steepestSettled` and `quieterSettled` come from renders that held the settings among the ends.
Result Compare(const Render& change, double rate, double steepestSettled, double quieterSettled);
} // namespace ChangeMeasure
