#pragma once

#include "plugin/Smoother.h"

#include <algorithm>
#include <cstdint>

// The crossfade between the effect path and the signal that bypasses it. The path runs
// whenever its signal is heard or about to be; coming back from a full bypass it first runs
// for a warm-up time while its weight is held at 0, so that its filters and glides have heard
// the signal before anyone hears them.
class BypassCrossfade
{
public:
    // The smoother's value from which the effect path counts as faded out.
    static constexpr double kFadedOut = 0.9999999777;

    void SetCoefficient(double keep) { mSmoother.SetCoefficient(keep); }
    void SetWarmUpFrames(int32_t frames) { mWarmUpFrames = frames; }
    // Fully processed, the path warm.
    void Restart();

    // Whether the effect path runs in a block gliding toward `target` (1 fully bypassed).
    bool PathRuns(double target) const { return target < kFadedOut || mSmoother.value < kFadedOut; }

    // Steps the bypass weight once per frame and calls mix(first, weights, count) as
    // GlideInChunks does; `pathRan` says whether the effect path ran in this block.
    template <class Mix>
    void Glide(double target, bool pathRan, int32_t n, Mix mix);

    double Value() const { return mSmoother.value; }

private:
    Smoother mSmoother;
    int32_t mWarmUpFrames = 0;
    // Frames the path has run since it last stood still, counted up to the warm-up time.
    int32_t mWarmFrames = 0;
};

template <class Mix>
void BypassCrossfade::Glide(double target, bool pathRan, int32_t n, Mix mix)
{
    if (!pathRan)
        mWarmFrames = 0;
    const int32_t held = pathRan && mWarmFrames < mWarmUpFrames ? std::min(n, mWarmUpFrames - mWarmFrames) : 0;
    if (pathRan)
        mWarmFrames += held;
    // A path still warming up is held out; one already heard fades as the target says.
    const double heldTarget = mSmoother.value >= kFadedOut ? 1.0 : target;
    mSmoother.Glide(heldTarget, held, mix);
    mSmoother.Glide(target, n - held,
                    [&](int32_t first, auto weights, int32_t count) { mix(held + first, weights, count); });
}
