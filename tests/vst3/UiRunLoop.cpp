#include "tests/vst3/UiRunLoop.h"

#include "tools/vst3host/RunLoop.h"

#include <algorithm>

namespace
{
// Each turn waits a few milliseconds for messages, so this bounds a wait at about two seconds.
constexpr int kMostTurns = 400;
}

Vst3::tresult PLUGIN_API UiRunLoop::registerEventHandler(Vst3::FUnknown*, int)
{
    return Vst3::kNotImplemented;
}

Vst3::tresult PLUGIN_API UiRunLoop::unregisterEventHandler(Vst3::FUnknown*)
{
    return Vst3::kNotImplemented;
}

Vst3::tresult PLUGIN_API UiRunLoop::registerTimer(Vst3::ITimerHandler* handler, Vst3::uint64)
{
    if (!handler)
        return Vst3::kInvalidArgument;
    handler->addRef();
    timers.push_back(handler);
    return Vst3::kResultOk;
}

Vst3::tresult PLUGIN_API UiRunLoop::unregisterTimer(Vst3::ITimerHandler* handler)
{
    const auto found = std::find(timers.begin(), timers.end(), handler);
    if (found == timers.end())
        return Vst3::kInvalidArgument;
    timers.erase(found);
    handler->release();
    return Vst3::kResultOk;
}

void UiRunLoop::Turn()
{
    // A timer may unregister itself from its tick.
    const std::vector<Vst3::ITimerHandler*> due = timers;
    for (Vst3::ITimerHandler* timer : due)
        if (std::find(timers.begin(), timers.end(), timer) != timers.end())
            timer->onTimer();
    DispatchThreadMessages();
}

bool UiRunLoop::RunUntil(const std::function<bool()>& done)
{
    for (int turn = 0; turn < kMostTurns && !done(); ++turn)
        Turn();
    return done();
}
