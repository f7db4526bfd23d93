#pragma once

#include <cstdint>
#include <span>
#include <vector>

// The host's bypass switch heard as a crossfade between the effect's output and its input
// (delayed as the output is). Switching bypass on fades the effect out; switching it off runs
// the effect unheard for a warm-up time first, so that it has settled on the signal instead
// of resuming from where it stopped, then fades it in. A switch during a fade turns it round
// where it stands.
class HostBypassFade
{
public:
    // Fade and warm-up lengths, and the longest slice; not for the audio thread. Nothing has
    // been heard since: the next slice takes the switch at once.
    void Prepare(int32_t fadeFrames, int32_t warmUpFrames, int32_t maxFrames);

    // Takes the host's switch at the start of a slice.
    void Follow(bool bypassed);
    // Whether the effect runs in the slice, and whether its output alone is heard.
    bool EffectRuns() const { return mPhase != Phase::kBypassed; }
    bool EffectOnly() const { return mPhase == Phase::kEffect; }

    // The bypassed signal's weight in each of the slice's `frames`, one step of the fade per
    // frame; `frames` is at most the longest slice.
    std::span<const double> Advance(int32_t frames);

private:
    enum class Phase
    {
        kEffect,
        kFadingOut,
        kBypassed,
        kWarmingUp,
        kFadingIn,
    };

    void Enter(Phase phase, int32_t position);
    // The bypassed signal's weight in the next frame.
    double NextWeight();

    int32_t mFadeFrames = 1;
    int32_t mWarmUpFrames = 0;
    Phase mPhase = Phase::kEffect;
    // Frames into the current phase.
    int32_t mPosition = 0;
    bool mHeardYet = false;
    std::vector<double> mWeights;
};

// One channel of the effect's output, `io`, blended with the bypassed signal (null for silence)
// by the weights of a slice.
void BlendBypassed(double* io, const double* bypassed, std::span<const double> weights);
