#pragma once
// The host's UI thread loop that the plug-in's restart timer runs on: elsewhere than Windows the
// run loop offered through the component handler, whose timers each turn calls; on Windows the
// thread's message queue, which each turn empties.

#include "tests/vst3/CountedHostObject.h"
#include "vst3/abi/IRunLoop.h"

#include <functional>
#include <vector>

class UiRunLoop : public CountedHostObject<Vst3::IRunLoop>
{
public:
    Vst3::tresult PLUGIN_API registerEventHandler(Vst3::FUnknown* handler, int fileDescriptor) override;
    Vst3::tresult PLUGIN_API unregisterEventHandler(Vst3::FUnknown* handler) override;
    Vst3::tresult PLUGIN_API registerTimer(Vst3::ITimerHandler* handler, Vst3::uint64 milliseconds) override;
    Vst3::tresult PLUGIN_API unregisterTimer(Vst3::ITimerHandler* handler) override;

    // One turn: every timer once, then the thread's messages.
    void Turn();
    // Turns until `done` holds, at most for about two seconds; false when it never did.
    bool RunUntil(const std::function<bool()>& done);

    std::vector<Vst3::ITimerHandler*> timers;
};
