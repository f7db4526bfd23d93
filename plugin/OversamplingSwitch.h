#pragma once

#include <cstdint>

// Switching oversampling changes the filters and the delay of the whole path, so the output
// would jump: it fades out, the mode changes while it is silent, and it fades back in once the
// filters that started afresh have rung out.
class OversamplingSwitch
{
public:
    // Frames at 44.1 kHz; SetSampleRate keeps their time at other rates.
    static constexpr int32_t kFadeFrames = 256;
    static constexpr int32_t kSettleFrames = 256;

    void SetSampleRate(double rate);

    // Takes the wanted mode at once, without a fade, for a path that starts from silence; so
    // does the first change before anything has played since.
    void Adopt(bool wanted);
    // Frames of `frames` that may run before the mode changes: fewer when a fade-out ends sooner.
    int32_t FramesBeforeChange(bool wanted, int32_t frames) const;
    // True when the mode changes here, at the start of a slice: the fade-out has ended.
    bool Change(bool wanted);
    bool InUse() const { return mInUse; }
    // Fades the slice out while the wanted mode differs from the one in use, else back in;
    // leaves it untouched once faded in.
    void Fade(bool wanted, double* const signal[2], int32_t n);

private:
    bool mInUse = false;
    int32_t mFadeFrames = kFadeFrames;
    int32_t mSettleFrames = kSettleFrames;
    // Frames into the fade-in: mFadeFrames is full level, 0 and below silence.
    int32_t mLevel = kFadeFrames;
    bool mFresh = true;
};
