#include "plugin/OversamplingSwitch.h"

#include "dsp/units/GlideTimes.h"

#include <algorithm>

void OversamplingSwitch::SetSampleRate(double rate)
{
    mFadeFrames = std::max(GlideTimes::FramesAt(kFadeFrames, rate), 1);
    mSettleFrames = GlideTimes::FramesAt(kSettleFrames, rate);
    mLevel = std::clamp(mLevel, -mSettleFrames, mFadeFrames);
}

void OversamplingSwitch::Adopt(bool wanted)
{
    mInUse = wanted;
    mLevel = mFadeFrames;
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
    mLevel = -mSettleFrames;
    return true;
}

void OversamplingSwitch::Fade(bool wanted, double* const signal[2], int32_t n)
{
    mFresh = false;
    const int32_t step = wanted == mInUse ? 1 : -1;
    if (step > 0 && mLevel == mFadeFrames)
        return;
    for (int32_t i = 0; i < n; ++i)
    {
        mLevel = std::clamp(mLevel + step, step > 0 ? -mSettleFrames : 0, mFadeFrames);
        const double gain = static_cast<double>(std::max(mLevel, 0)) / mFadeFrames;
        signal[0][i] *= gain;
        signal[1][i] *= gain;
    }
}
