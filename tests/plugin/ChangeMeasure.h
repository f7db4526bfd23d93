#pragma once
// A setting changed during playback, measured as a demanding listener would: a 200 Hz sine at
// -6 dBFS played through the effect in host blocks, the change made at a block boundary or at a
// frame inside a block, then the largest sample-to-sample step and the deepest level dip after
// it, against the settled signals.

#include <functional>
#include <vector>

using Signal = std::vector<double>;

namespace ChangeMeasure
{
inline constexpr double kSineHz = 200.0;
inline constexpr double kSineAmplitude = 0.5;
// Where the change comes, and how long after it the render is watched.
inline constexpr double kSettleSeconds = 0.5;
inline constexpr double kWatchSeconds = 0.25;

// The sine played; a case may need a lower or quieter one, or one that is not at a zero
// crossing when the change comes (the settle time holds whole periods of the usual sine).
struct Tone
{
    double hz = kSineHz;
    double amplitude = kSineAmplitude;
    // At the first frame, in radians.
    double phase = 0.0;
};

struct Render
{
    Signal left;
    int changeAt = 0;
    double hz = kSineHz;
};

// Plays one host block: the sine on both input channels, the two outputs to fill, and the frame
// of this block at which the change comes (-1 where none comes in it).
using BlockPlayer = std::function<void(double* input, double* left, double* right, int frames, int changeFrame)>;

// Renders the sine in blocks of `block`; the change comes `changeOffset` frames into the first
// block that starts at or after the settle time.
Render RenderChange(double rate, int block, int changeOffset, const BlockPlayer& play, Tone tone = {});

// The largest step between neighbouring frames from `from` on for `frames` frames.
double LargestStep(const Signal& signal, int from, int frames);
// The quietest period of a sine of `hz` (its peak) from `from` on for `frames` frames.
double QuietestPeriod(const Signal& signal, int from, int frames, double rate, double hz);

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
