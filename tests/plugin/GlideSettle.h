#pragma once
// How long a parameter's glide takes, as heard. Program 0 with settings on top plays a chord of
// sines at 300, 900, 2700 and 8100 Hz; at 0.25 s the parameter moves from one value to another.
// The time it takes is the time from the change until the output stays within a tenth of the
// way from the settled output before the change to the settled output of the new value, the
// distance taken as the RMS over one period of 300 Hz. The chord, the change and the windows
// are the same in seconds at every rate, so the times compare across rates.

#include <utility>
#include <vector>

namespace GlideSettle
{
struct Change
{
    const char* name;
    int index;
    double from;
    double to;
    // Parameter values set on program 0 before the change.
    std::vector<std::pair<int, double>> settings;
};

struct Result
{
    // Seconds from the change until the output stays within a tenth of the way to its end.
    double seconds = 0.0;
    // The RMS distance between the two settled outputs: too small and there is nothing to time.
    double distance = 0.0;
};

Result Measure(const Change& change, double rate);
} // namespace GlideSettle
