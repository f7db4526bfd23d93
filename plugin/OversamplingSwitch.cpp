#include "plugin/OversamplingSwitch.h"

#include <algorithm>

void OversamplingSwitch::Adopt(bool wanted)
{
    mInUse = wanted;
    mLevel = kFadeFrames;
    mFresh = true;
}

int32_t OversamplingSwitch::FramesBeforeChange(bool wanted, int32_t frames) const
{
    if (wanted == mInUse || mLevel <= 0 || mFresh)
        return frames;
    return std::min(frames, mLevel);
}

bool OversamplingSwitch::Change(bool wanted)
{
    if (wanted == mInUse)
        return false;
    if (mFresh)
    {
        Adopt(wanted);
        return true;
    }
    if (mLevel > 0)
        return false;
    mInUse = wanted;
    mLevel = -kSettleFrames;
    return true;
}

void OversamplingSwitch::Fade(bool wanted, double* const signal[2], int32_t n)
{
    mFresh = false;
    const int32_t step = wanted == mInUse ? 1 : -1;
    if (step > 0 && mLevel == kFadeFrames)
        return;
    for (int32_t i = 0; i < n; ++i)
    {
        mLevel = std::clamp(mLevel + step, step > 0 ? -kSettleFrames : 0, kFadeFrames);
        const double gain = static_cast<double>(std::max(mLevel, 0)) / kFadeFrames;
        signal[0][i] *= gain;
        signal[1][i] *= gain;
    }
}
