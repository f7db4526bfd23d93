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

    void SetSampleRate(double rate) override;
    // Reads the pair only; a non-finite sample counts as silence.
    void ProcessBlock(const double* const in[2], int32_t n);

    double attackTime = kTimeSeconds;
    double releaseTime = kTimeSeconds;
    double attackCoefficient;
    double releaseCoefficient;
    double envelopeLeft = 0.0;
    double envelopeRight = 0.0;
};

} // namespace Wezmark
