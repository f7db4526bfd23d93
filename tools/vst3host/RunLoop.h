#pragma once
// The host's UI thread loop as the plug-in sees it: the run loop it may ask the component
// handler for (timers only), and on Windows the thread's message queue. The host turns it
// between its calls into the plug-in, so whatever the plug-in tells from it arrives outside them.

#include "tools/vst3host/ComTables.h"

#include <atomic>
#include <functional>
#include <vector>

class RunLoop
{
public:
    RunLoop();

    void* Object() { return this; }
    uint32_t ForeignReferences() const { return references_ - 1; }

    // One turn: every timer once, then the thread's messages.
    void Turn();
    // Turns until `done` holds, for about two seconds at most; false when it never did.
    bool RunUntil(const std::function<bool()>& done);

private:
    static const RunLoopTable kTable;

    static ComResult QueryInterface(void* self, const uint8_t* interfaceId, void** object);
    static uint32_t AddRef(void* self);
    static uint32_t Release(void* self);
    static ComResult RegisterEventHandler(void* self, void* handler, int fileDescriptor);
    static ComResult UnregisterEventHandler(void* self, void* handler);
    static ComResult RegisterTimer(void* self, void* handler, uint64_t milliseconds);
    static ComResult UnregisterTimer(void* self, void* handler);

    // Must stay the first member.
    const RunLoopTable* table_;
    std::atomic<uint32_t> references_{1};
    std::vector<void*> timers_;
};

// The messages of this thread's queue, after a short wait for them; nothing outside Windows.
void DispatchThreadMessages();
