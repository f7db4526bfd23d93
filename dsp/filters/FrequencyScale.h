#pragma once

#include <cmath>

namespace Dsp {

// The scale on which a frequency glides: the log of the bilinear transform's warped
// frequency, tan(pi f / rate). Low down it is the log of the frequency, so each octave takes
// the same time (in equal steps of Hz a cutoff falling from 22 kHz to 20 Hz over 256 frames
// drops from 106 Hz in the last one); near the Nyquist frequency, where a small step in Hz
// moves the poles far, it stretches.
struct FrequencyScale {
    // Frequencies strictly between 0 and half the rate have a place on the scale.
    static bool Covers(double hz, double rate) { return rate > 0.0 && hz > 0.0 && hz < 0.5 * rate; }

    static double ToWarped(double hz, double rate) { return std::log(std::tan(kPi * hz / rate)); }
    static double FromWarped(double warped, double rate) { return std::atan(std::exp(warped)) * rate / kPi; }

private:
    static constexpr double kPi = 3.14159265358979323846;
};

} // namespace Dsp
