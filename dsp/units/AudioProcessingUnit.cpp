#include "dsp/units/AudioProcessingUnit.h"

#include "dsp/units/GlideTimes.h"

#include <algorithm>

namespace Wezmark
{

void AudioProcessingUnit::Prepare(double rate, int32_t, int32_t)
{
    sampleRate = rate;
}

void AudioProcessingUnit::EndGlides()
{
    fade = bypassed ? 0.0 : 1.0;
}

void AudioProcessingUnit::SetBypass(bool on)
{
    if (on == bypassed)
        return;
    bypassed = on;
    // The fade lasts as long at every rate, turns back from where it stands when the switch
    // changes during it, and takes its first step at the switch itself.
    const double step = GlideTimes::Step(TimeConstants::kUnitSwitchFadeStep, sampleRate);
    fadeStep = on ? -step : step;
    fade = std::clamp(fade + fadeStep, 0.0, 1.0);
}

void AudioProcessingUnit::MixBypassFade(const double* const dry[2], double* const wet[2], int32_t frames)
{
    double g = fade;
    for (int32_t i = 0; i < frames; ++i)
    {
        wet[0][i] = (1.0 - g) * dry[0][i] + g * wet[0][i];
        wet[1][i] = (1.0 - g) * dry[1][i] + g * wet[1][i];
        if (g != 0.0 && g != 1.0)
            g = std::clamp(g + fadeStep, 0.0, 1.0);
    }
    fade = g;
}

} // namespace Wezmark
