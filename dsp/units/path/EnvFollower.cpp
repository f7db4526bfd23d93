#include "dsp/units/path/EnvFollower.h"

#include "dsp/units/curves/CurvePoints.h"

#include <algorithm>
#include <cmath>

namespace Wezmark
{

namespace
{

double TimeCoefficient(double rate, double seconds)
{
    return std::exp(-1.0 / (rate * seconds));
}

double Follow(double envelope, double x, double attack, double release)
{
    const double m = std::min(std::fabs(FiniteOrZero(x)), 1.0);
    const double c = m > envelope ? attack : release;
    return (1.0 - c) * m + c * envelope;
}

} // namespace

EnvFollower::EnvFollower()
    : attackCoefficient(TimeCoefficient(sampleRate, attackTime)),
      releaseCoefficient(TimeCoefficient(sampleRate, releaseTime))
{
}

void EnvFollower::Prepare(double rate, int32_t maxFrames, int32_t framesPerHostFrame)
{
    AudioProcessingUnit::Prepare(rate, maxFrames, framesPerHostFrame);
    attackCoefficient = TimeCoefficient(rate, attackTime);
    releaseCoefficient = TimeCoefficient(rate, releaseTime);
}

void EnvFollower::SetTimes(double attackSeconds, double releaseSeconds)
{
    attackTime = attackSeconds;
    releaseTime = releaseSeconds;
    attackCoefficient = TimeCoefficient(sampleRate, attackTime);
    releaseCoefficient = TimeCoefficient(sampleRate, releaseTime);
}

void EnvFollower::Reset()
{
    envelopeLeft = 0.0;
    envelopeRight = 0.0;
}

void EnvFollower::Process(const double* const in[2], int32_t n)
{
    for (int32_t i = 0; i < n; ++i)
    {
        envelopeLeft = Follow(envelopeLeft, in[0][i], attackCoefficient, releaseCoefficient);
        envelopeRight = Follow(envelopeRight, in[1][i], attackCoefficient, releaseCoefficient);
    }
}

} // namespace Wezmark
