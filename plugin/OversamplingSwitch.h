#pragma once

#include "framework/SampleArray.h"

#include <array>
#include <cstdint>

// Switching oversampling changes the filters and the delay of the whole path. The stages that
// depend on the rate are held at both rates: on a switch the path of the wanted mode first runs
// unheard for a warm-up time, so that its filters, glides and oversamplers have heard the
// signal, then each of those stages' outputs crossfades from the old path's to the new one's,
// and the old path stops once nothing of it is heard.
class OversamplingSwitch
{
public:
    void SetFrames(int32_t warmUpFrames, int32_t crossfadeFrames);
    // Room for slices of up to `frames`.
    void Prepare(int32_t frames);

    // Takes the wanted mode at once, for a path that starts from silence; so does the first
    // change before anything has played since.
    void Adopt(bool wanted);
    // Starts a slice of `n` frames: which paths run in it, and the oversampled path's weight
    // at each of its frames.
    void Begin(bool wanted, int32_t n);

    bool Runs(bool oversampled) const { return mRuns[oversampled]; }
    // Runs in this slice but did not in the last one: what it remembers is out of date.
    bool Starts(bool oversampled) const { return mRuns[oversampled] && !mRan[oversampled]; }
    // Both paths run: the slice crossfades between them, or the incoming one warms up.
    bool Both() const { return mRuns[false] && mRuns[true]; }
    // The oversampled path's weight at each frame of a slice in which both run.
    const double* Weights() const { return mWeights.data; }

private:
    int32_t mWarmUpFrames = 0;
    double mStep = 1.0;
    // The oversampled path's weight at the end of the last slice.
    double mWeight = 0.0;
    // Frames the incoming path has run unheard.
    int32_t mWarmFrames = 0;
    std::array<bool, 2> mRuns{true, false};
    std::array<bool, 2> mRan{true, false};
    bool mFresh = true;
    SampleArray mWeights;
};
