#pragma once

#include "dsp/units/SmootherStep.h"
#include "framework/SampleArray.h"

#include <cstdint>
#include <cstring>

// The setting a unit is heard with, and the crossfade to a new one: when the setting changes,
// the unit shapes a copy of the block the old way as well, and the two are crossfaded as fast
// as the unit's own glide. A change that comes during a crossfade waits for its end.
template <class Setting>
class SettingCrossfade
{
public:
    // Sizes the copy for blocks of up to `frames`; nothing has been heard since, so the next
    // block takes its setting at once.
    void SetBlockSize(int32_t frames)
    {
        ResizeChannelPair(mLeavingWork, frames);
        mHeardYet = false;
        mFadeLeft = 0.0;
    }

    bool HeardYet() const { return mHeardYet; }
    bool Fits(int32_t frames) const { return frames <= mLeavingWork.capacity; }

    // Where nothing was heard to crossfade from.
    void TakeAtOnce(const Setting& setting)
    {
        mHeard = setting;
        mFadeLeft = 0.0;
        mHeardYet = true;
    }

    // Starts a crossfade to `setting` if it differs from the setting heard; whether a
    // crossfade runs in the next block.
    bool Follow(const Setting& setting)
    {
        if (mFadeLeft == 0.0 && !(setting == mHeard))
        {
            mLeaving = mHeard;
            mHeard = setting;
            mFadeLeft = 1.0;
        }
        return Fading();
    }

    bool Fading() const { return mFadeLeft != 0.0; }
    const Setting& Heard() const { return mHeard; }
    const Setting& Leaving() const { return mLeaving; }

    // A copy of `n` frames of `io` for the leaving setting to shape; `n` must fit.
    void CopyForLeaving(const double* const io[2], int32_t n, double* leaving[2])
    {
        const size_t bytes = sizeof(double) * static_cast<size_t>(n);
        std::memcpy(mLeavingWork.left, io[0], bytes);
        std::memcpy(mLeavingWork.right, io[1], bytes);
        leaving[0] = mLeavingWork.left;
        leaving[1] = mLeavingWork.right;
    }

    // Crossfades the leaving copy into `io`, which holds the block shaped the new way: the
    // leaving weight glides toward 0 one step per host frame and lands on it.
    void Blend(double* const io[2], int32_t n, double keep, double take, int32_t framesPerHostFrame)
    {
        for (int32_t i = 0; i < n; ++i)
        {
            if (StepsAt(i, framesPerHostFrame))
                mFadeLeft = GlideOutStep(mFadeLeft, keep, take, 0.0);
            io[0][i] = (1.0 - mFadeLeft) * io[0][i] + mFadeLeft * mLeavingWork.left[i];
            io[1][i] = (1.0 - mFadeLeft) * io[1][i] + mFadeLeft * mLeavingWork.right[i];
        }
    }

private:
    bool mHeardYet = false;
    Setting mHeard{};
    Setting mLeaving{};
    // Weight of the leaving setting, gliding to 0.
    double mFadeLeft = 0.0;
    ChannelPair mLeavingWork;
};
