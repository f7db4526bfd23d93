#include "plugin/ProgramChangeFade.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace
{
// A raised cosine from 0 at `x` = 0 to 1 at `x` = 1: its slope is 0 at both ends, so neither
// the start nor the end of a fade adds a step of its own.
double RaisedCosine(double x)
{
    return 0.5 - 0.5 * std::cos(std::numbers::pi * x);
}
} // namespace

void ProgramChangeFade::SetFrames(int32_t fadeFrames, int32_t settleFrames)
{
    mFadeFrames = std::max(fadeFrames, 1);
    mSettleFrames = std::max(settleFrames, 0);
    mPosition = std::min(mPosition, mPhase == Phase::kSettling ? mSettleFrames : mFadeFrames);
}

void ProgramChangeFade::Request()
{
    mPending = true;
    if (mPhase == Phase::kHeard)
    {
        mPhase = Phase::kFadingOut;
        mPosition = 0;
    }
    else if (mPhase == Phase::kFadingIn)
    {
        // The fade out's gain at this position is the fade in's at its own.
        mPhase = Phase::kFadingOut;
        mPosition = mFadeFrames - mPosition;
    }
}

void ProgramChangeFade::Applied()
{
    mPending = false;
    mPhase = Phase::kSettling;
    mPosition = 0;
}

void ProgramChangeFade::Stop()
{
    mPending = false;
    mPhase = Phase::kHeard;
    mPosition = 0;
}

int32_t ProgramChangeFade::FramesToQuiet() const
{
    if (mPending && mPhase == Phase::kFadingOut && mPosition < mFadeFrames)
        return mFadeFrames - mPosition;
    return std::numeric_limits<int32_t>::max();
}

double ProgramChangeFade::NextGain()
{
    switch (mPhase)
    {
    case Phase::kFadingOut:
        mPosition = std::min(mPosition + 1, mFadeFrames);
        return RaisedCosine(1.0 - static_cast<double>(mPosition) / mFadeFrames);
    case Phase::kSettling:
        if (++mPosition >= mSettleFrames)
        {
            mPhase = Phase::kFadingIn;
            mPosition = 0;
        }
        return 0.0;
    case Phase::kFadingIn:
    {
        const double gain = RaisedCosine(static_cast<double>(++mPosition) / mFadeFrames);
        if (mPosition >= mFadeFrames)
        {
            mPhase = Phase::kHeard;
            mPosition = 0;
        }
        return gain;
    }
    case Phase::kHeard:
        break;
    }
    return 1.0;
}

void ProgramChangeFade::Scale(double* const io[2], int32_t n)
{
    for (int32_t i = 0; i < n && mPhase != Phase::kHeard; ++i)
    {
        const double gain = NextGain();
        io[0][i] *= gain;
        io[1][i] *= gain;
    }
}
