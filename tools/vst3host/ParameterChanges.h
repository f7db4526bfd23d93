#pragma once
// The parameter changes of one process call: a queue of (sample offset, value) points per
// parameter, handed to the plug-in through the host-side tables. Lives on the host's stack
// for the call; reference counting is answered but not needed.

#include "tools/vst3host/ComTables.h"

#include <cstdint>
#include <deque>
#include <utility>
#include <vector>

class ParameterChanges
{
public:
    ParameterChanges();
    ParameterChanges(const ParameterChanges&) = delete;
    ParameterChanges& operator=(const ParameterChanges&) = delete;

    // Appends a point to the parameter's queue, creating the queue on first use.
    void Add(uint32_t id, int32_t sampleOffset, double value);
    bool Empty() const { return queues_.empty(); }
    void* Object() { return this; }

    // One parameter's points; the table must stay the first member.
    struct Queue
    {
        const ParamQueueTable* table;
        uint32_t id;
        std::vector<std::pair<int32_t, double>> points;
    };

private:
    Queue* FindOrAdd(uint32_t id, int32_t& index);

    static ComResult QueryInterface(void* self, const uint8_t* interfaceId, void** object);
    static int32_t GetParameterCount(void* self);
    static void* GetParameterData(void* self, int32_t index);
    static void* AddParameterData(void* self, const uint32_t* id, int32_t* index);
    static const ParamChangesTable kTable;

    // Must stay the first member.
    const ParamChangesTable* table_;
    // A deque keeps the queues where they are while more are added.
    std::deque<Queue> queues_;
};
