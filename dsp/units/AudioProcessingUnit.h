#pragma once

#include "dsp/units/TimeConstants.h"

#include <cstdint>

namespace Wezmark
{

// Shared base of the stateful stages: sample rate, bypass switch and the click-free
// crossfade between unprocessed and processed signal when the switch changes.
class AudioProcessingUnit
{
public:
    static constexpr double kDefaultSampleRate = 44100.0;

    AudioProcessingUnit() = default;
    AudioProcessingUnit(const AudioProcessingUnit&) = delete;
    AudioProcessingUnit& operator=(const AudioProcessingUnit&) = delete;
    virtual ~AudioProcessingUnit() = default;

    // The rate the fade is timed at; each unit's own Prepare calls it.
    void Prepare(double rate, int32_t maxFrames, int32_t framesPerHostFrame = 1);
    // The fade has no memory to clear.
    void Reset() {}
    // The fade stands on the end the switch points to.
    void EndGlides();
    // A repeated value leaves a fade under way alone; a change turns the fade toward the new end.
    virtual void SetBypass(bool on);

    // wet[c][i] = (1 - g) x dry[c][i] + g x wet[c][i], g the fade of frame i; steps the fade
    // while it lies strictly between 0 and 1.
    void MixBypassFade(const double* const dry[2], double* const wet[2], int32_t frames);

    double sampleRate = kDefaultSampleRate;
    bool bypassed = false;
    // Weight of the processed signal: 1 fully processed, 0 fully bypassed.
    double fade = 1.0;
    double fadeStep = TimeConstants::kUnitSwitchFadeStep;
};

} // namespace Wezmark
