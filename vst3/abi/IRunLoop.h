#pragma once

#include "vst3/abi/FUnknown.h"

namespace Vst3
{
// Linux hosts: called back from the host's UI run loop.
class ITimerHandler : public FUnknown
{
public:
    static constexpr Uid kIid{0x10BDD94F, 0x41424774, 0x821FAD8F, 0xECA72CA9};

    virtual void PLUGIN_API onTimer() = 0;
};

// Linux hosts: the host's UI run loop, offered by its component handler or its frame.
class IRunLoop : public FUnknown
{
public:
    static constexpr Uid kIid{0x18C35366, 0x97764F1A, 0x9C5B8385, 0x3A871389};

    // The event handler calls are not used here; the slots keep the table's order.
    virtual tresult PLUGIN_API registerEventHandler(FUnknown* handler, int fileDescriptor) = 0;
    virtual tresult PLUGIN_API unregisterEventHandler(FUnknown* handler) = 0;
    virtual tresult PLUGIN_API registerTimer(ITimerHandler* handler, uint64 milliseconds) = 0;
    virtual tresult PLUGIN_API unregisterTimer(ITimerHandler* handler) = 0;
};
}
