#include "plugin/OversamplingSwitch.h"

#include <algorithm>

void OversamplingSwitch::SetFrames(int32_t warmUpFrames, int32_t crossfadeFrames)
{
    mWarmUpFrames = std::max(warmUpFrames, 0);
    mStep = 1.0 / std::max(crossfadeFrames, 1);
}

void OversamplingSwitch::Prepare(int32_t frames)
{
    ResizeSampleArray(mWeights, frames);
}

void OversamplingSwitch::Adopt(bool wanted)
{
    mWeight = wanted ? 1.0 : 0.0;
    mRuns = {!wanted, wanted};
    mRan = mRuns;
    mWarmFrames = 0;
    mFresh = true;
}

void OversamplingSwitch::Begin(bool wanted, int32_t n)
{
    const double target = wanted ? 1.0 : 0.0;
    if (mFresh && mWeight != target)
        Adopt(wanted);
    mFresh = false;
    mRan = mRuns;
    if (mWeight == target)
    {
        mRuns = {!wanted, wanted};
        mWarmFrames = 0;
        return;
    }
    mRuns = {true, true};
    // A path already heard is warm; one coming in afresh is held out until it is.
    const bool incomingHeard = wanted ? mWeight > 0.0 : mWeight < 1.0;
    const int32_t held = incomingHeard ? 0 : std::min(n, mWarmUpFrames - mWarmFrames);
    mWarmFrames += held;
    const double step = wanted ? mStep : -mStep;
    for (int32_t i = 0; i < n; ++i)
    {
        if (i >= held)
            mWeight = std::clamp(mWeight + step, 0.0, 1.0);
        mWeights.data[i] = mWeight;
    }
}
