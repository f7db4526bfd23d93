#pragma once
// The component handler this host gives the controller: it records the edits and counts the
// restart requests it receives. A strict host also offers its run loop through it, and counts
// the restarts that arrive while the host is inside its own call into the plug-in.

#include "tools/vst3host/ComTables.h"

#include <atomic>
#include <functional>
#include <vector>

class RunLoop;

class ComponentHandler
{
public:
    struct Edit
    {
        enum class Kind
        {
            Begin,
            Perform,
            End,
        };
        Kind kind;
        uint32_t id;
        double value;
    };

    ComponentHandler();

    void* Object() { return this; }
    uint32_t ForeignReferences() const { return references_ - 1; }
    const std::vector<Edit>& Edits() const { return edits_; }
    int32_t RestartCount() const { return restarts_; }

    // Strict mode: the run loop to offer, and what to do with each restart.
    void OfferRunLoop(RunLoop* loop) { runLoop_ = loop; }
    void OnRestart(std::function<void(int32_t flags)> observer) { onRestart_ = std::move(observer); }
    // Allowed while the host is not inside a call into the plug-in: only its loop turns then.
    void AllowRestarts(bool allowed) { restartsAllowed_ = allowed; }
    bool RestartsAllowed() const { return restartsAllowed_; }
    int32_t ReentrantRestarts() const { return reentrantRestarts_; }

private:
    static const ComponentHandlerTable kTable;

    static ComResult QueryInterface(void* self, const uint8_t* interfaceId, void** object);
    static uint32_t AddRef(void* self);
    static uint32_t Release(void* self);
    static ComResult BeginEdit(void* self, uint32_t id);
    static ComResult PerformEdit(void* self, uint32_t id, double value);
    static ComResult EndEdit(void* self, uint32_t id);
    static ComResult RestartComponent(void* self, int32_t flags);

    // Must stay the first member.
    const ComponentHandlerTable* table_;
    std::atomic<uint32_t> references_{1};
    std::vector<Edit> edits_;
    int32_t restarts_ = 0;
    int32_t reentrantRestarts_ = 0;
    RunLoop* runLoop_ = nullptr;
    std::function<void(int32_t flags)> onRestart_;
    bool restartsAllowed_ = true;
};
