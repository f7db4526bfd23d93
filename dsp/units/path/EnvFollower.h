#pragma once

#include "dsp/units/AudioProcessingUnit.h"

#include <cstdint>

namespace Wezmark
{

// Peak level of the processed stereo output for the editor's VU eyes.
class EnvFollower : public AudioProcessingUnit
{
public:
    static constexpr double kTimeSeconds = 0.3;

    EnvFollower();

    void Prepare(double rate, int32_t maxFrames, int32_t framesPerHostFrame = 1);
    // How fast the envelope rises and falls, in seconds; the coefficients follow at the
    // prepared rate.
    void SetTimes(double attackSeconds, double releaseSeconds);
    // Both envelopes at silence.
    void Reset();
    // The envelope follows the signal: it has no glide of its own.
    void EndGlides() {}
    // Reads the pair only; a non-finite sample counts as silence.
    void Process(const double* const in[2], int32_t n);

    double attackTime = kTimeSeconds;
    double releaseTime = kTimeSeconds;
    double attackCoefficient;
    double releaseCoefficient;
    double envelopeLeft = 0.0;
    double envelopeRight = 0.0;
};

} // namespace Wezmark
