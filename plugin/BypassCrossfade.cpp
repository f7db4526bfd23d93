#include "plugin/BypassCrossfade.h"

void BypassCrossfade::Restart()
{
    mSmoother.value = 0.0;
    mWarmFrames = mWarmUpFrames;
}
