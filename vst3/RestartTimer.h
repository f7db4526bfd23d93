#pragma once

#include "vst3/abi/FUnknown.h"

#include <functional>

// Calls back every few milliseconds on the host's UI thread from the host's own message or run
// loop, so never from inside a host call into the plug-in. Windows: a timer of a hidden window
// that the timer owns. Elsewhere: a timer of the run loop that the host offers through its
// component handler or its context; without one there is no callback.
//
// Threads: Start, Stop and the destructor on the UI thread.
class RestartTimer
{
public:
    static constexpr unsigned kIntervalMilliseconds = 20;

    explicit RestartTimer(std::function<void()> onTick);
    ~RestartTimer();
    RestartTimer(const RestartTimer&) = delete;
    RestartTimer& operator=(const RestartTimer&) = delete;

    // Starts anew; false when there is no way to be called back.
    bool Start(Vst3::FUnknown* hostContext, Vst3::FUnknown* componentHandler);
    void Stop();

private:
    // What a platform keeps while the timer runs; each platform's file makes and ends it.
    struct Platform;
    static Platform* StartPlatform(const std::function<void()>* onTick, Vst3::FUnknown* hostContext,
                                   Vst3::FUnknown* componentHandler);
    static void StopPlatform(Platform* platform);

    std::function<void()> mOnTick;
    Platform* mPlatform = nullptr;
};
