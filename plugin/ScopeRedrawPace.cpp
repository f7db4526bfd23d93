#include "plugin/ScopeRedrawPace.h"

#include <cmath>

bool ScopeRedrawPace::Advance(int32_t frames, bool ringChanged, double sampleRate)
{
    mChanged = mChanged || ringChanged;
    // Without a usable rate every change is drawn, as before there was a pace.
    const double period = std::isfinite(sampleRate) && sampleRate > 0.0 ? sampleRate * kFrameSeconds : 0.0;
    // Once due, the count stays where it is.
    if (mSinceMark < period)
        mSinceMark += frames;
    if (!mChanged || mSinceMark < period)
        return false;
    mSinceMark = 0.0;
    mChanged = false;
    return true;
}
