#include "tools/vst3host/RunLoop.h"

#include "tools/vst3host/HostObject.h"

#include <algorithm>
#include <cstddef>

namespace
{
// Each turn waits a few milliseconds for messages, so this bounds a wait at about two seconds.
constexpr int kMostTurns = 400;
}

const RunLoopTable RunLoop::kTable = {
    {&RunLoop::QueryInterface, &RunLoop::AddRef, &RunLoop::Release},
    &RunLoop::RegisterEventHandler,
    &RunLoop::UnregisterEventHandler,
    &RunLoop::RegisterTimer,
    &RunLoop::UnregisterTimer,
};

RunLoop::RunLoop() : table_(&kTable)
{
    static_assert(offsetof(RunLoop, table_) == 0);
}

ComResult RunLoop::QueryInterface(void* self, const uint8_t* interfaceId, void** object)
{
    return HostObject::QueryInterface(self, static_cast<RunLoop*>(self)->references_, InterfaceIds::kRunLoop,
                                      interfaceId, object);
}

uint32_t RunLoop::AddRef(void* self)
{
    return ++static_cast<RunLoop*>(self)->references_;
}

uint32_t RunLoop::Release(void* self)
{
    return --static_cast<RunLoop*>(self)->references_;
}

ComResult RunLoop::RegisterEventHandler(void*, void*, int)
{
    return kComNotImplemented;
}

ComResult RunLoop::UnregisterEventHandler(void*, void*)
{
    return kComNotImplemented;
}

ComResult RunLoop::RegisterTimer(void* self, void* handler, uint64_t)
{
    if (!handler)
        return kComFalse;
    TableOf<UnknownSlots>(handler).addRef(handler);
    static_cast<RunLoop*>(self)->timers_.push_back(handler);
    return kComOk;
}

ComResult RunLoop::UnregisterTimer(void* self, void* handler)
{
    std::vector<void*>& timers = static_cast<RunLoop*>(self)->timers_;
    const auto found = std::find(timers.begin(), timers.end(), handler);
    if (found == timers.end())
        return kComFalse;
    timers.erase(found);
    TableOf<UnknownSlots>(handler).release(handler);
    return kComOk;
}

void RunLoop::Turn()
{
    // A timer may unregister itself from its tick.
    const std::vector<void*> due = timers_;
    for (void* timer : due)
        if (std::find(timers_.begin(), timers_.end(), timer) != timers_.end())
            TableOf<TimerHandlerTable>(timer).onTimer(timer);
    DispatchThreadMessages();
}

bool RunLoop::RunUntil(const std::function<bool()>& done)
{
    for (int turn = 0; turn < kMostTurns && !done(); ++turn)
        Turn();
    return done();
}
