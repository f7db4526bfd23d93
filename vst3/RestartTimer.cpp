#include "vst3/RestartTimer.h"

RestartTimer::RestartTimer(std::function<void()> onTick) : mOnTick(std::move(onTick))
{
}

RestartTimer::~RestartTimer()
{
    Stop();
}

bool RestartTimer::Start(Vst3::FUnknown* hostContext, Vst3::FUnknown* componentHandler)
{
    Stop();
    mPlatform = StartPlatform(&mOnTick, hostContext, componentHandler);
    return mPlatform != nullptr;
}

void RestartTimer::Stop()
{
    if (!mPlatform)
        return;
    StopPlatform(mPlatform);
    mPlatform = nullptr;
}
