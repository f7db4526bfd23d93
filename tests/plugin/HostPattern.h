#pragma once
// A host buffer filled, before each call, with a value that the effect never writes (its
// output stays within +10 dB): a frame that still holds it after the call was left unwritten.

#include <cmath>
#include <cstddef>
#include <vector>

inline constexpr double kHostPattern = 1000.0;

// The first frame that still holds the pattern, or -1 when every frame was written.
template <class Sample>
long FirstUnwrittenFrame(const std::vector<Sample>& samples)
{
    for (size_t i = 0; i < samples.size(); ++i)
        if (static_cast<double>(samples[i]) == kHostPattern)
            return static_cast<long>(i);
    return -1;
}
