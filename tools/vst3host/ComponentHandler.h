#pragma once
// The component handler this host gives the controller: it records the edits and counts the
// restart requests it receives.

#include "tools/vst3host/ComTables.h"

#include <atomic>
#include <vector>

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
};
