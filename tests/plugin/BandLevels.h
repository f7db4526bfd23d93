#pragma once

#include <span>
#include <vector>

// The level in dB of each third-octave band of a signal, from one Hann-windowed spectrum: a
// sine reads its RMS level in its band. Bands run from 25 Hz to 16 kHz; levels never fall
// below a floor well under anything audible in a mix, so near-silent bands compare as equal.
class BandLevels
{
public:
    static constexpr double kFloorDecibels = -70.0;

    // `samples` must hold a power of two of them.
    static std::vector<double> Measure(std::span<const double> samples, double rate);

    // Mean absolute difference in dB of two measurements of the same length, over the bands
    // where either rises above the floor.
    static double Distance(const std::vector<double>& a, const std::vector<double>& b);
};
