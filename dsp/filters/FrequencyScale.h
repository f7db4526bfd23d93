#pragma once

#include <cmath>

namespace Dsp {

// The scale on which a frequency glides: the log of the bilinear transform's warped
// frequency at the rate the glides were tuned at, tan(pi f / 44100), whatever rate the design
// runs at, so that a glide takes the same path in Hz, in the same time, at every rate. Low
// down it is the log of the frequency, so each octave takes the same time (in equal steps of
// Hz a cutoff falling from 22 kHz to 20 Hz over 256 frames drops from 106 Hz in the last one);
// towards 22 kHz, where at the tuned rate a small step in Hz moves the poles far, it stretches.
struct FrequencyScale {
    static constexpr double kTunedRate = 44100.0;

    // Frequencies strictly between 0 and half the tuned rate have a place on the scale.
    static bool Covers(double hz) { return hz > 0.0 && hz < 0.5 * kTunedRate; }

    static double ToWarped(double hz) { return std::log(std::tan(kPi * hz / kTunedRate)); }
    static double FromWarped(double warped) { return std::atan(std::exp(warped)) * kTunedRate / kPi; }

private:
    static constexpr double kPi = 3.14159265358979323846;
};

} // namespace Dsp
