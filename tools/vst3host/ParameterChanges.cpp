#include "tools/vst3host/ParameterChanges.h"

#include "tools/vst3host/InterfaceIds.h"

#include <cstddef>

namespace
{
// Objects of one call, owned by the host: counting references would tell nothing.
constexpr uint32_t kHostOwned = 1;

uint32_t AddRef(void*)
{
    return kHostOwned;
}

uint32_t Release(void*)
{
    return kHostOwned;
}

ComResult QueueQueryInterface(void* self, const uint8_t* interfaceId, void** object)
{
    if (!object)
        return kComFalse;
    const bool known = InterfaceIds::Equals(interfaceId, InterfaceIds::kUnknown) ||
                       InterfaceIds::Equals(interfaceId, InterfaceIds::kParamValueQueue);
    *object = known ? self : nullptr;
    return known ? kComOk : kComNoInterface;
}

ParameterChanges::Queue& AsQueue(void* self)
{
    return *static_cast<ParameterChanges::Queue*>(self);
}

uint32_t GetParameterId(void* self)
{
    return AsQueue(self).id;
}

int32_t GetPointCount(void* self)
{
    return static_cast<int32_t>(AsQueue(self).points.size());
}

ComResult GetPoint(void* self, int32_t index, int32_t* sampleOffset, double* value)
{
    const auto& points = AsQueue(self).points;
    if (index < 0 || static_cast<size_t>(index) >= points.size() || !sampleOffset || !value)
        return kComFalse;
    *sampleOffset = points[static_cast<size_t>(index)].first;
    *value = points[static_cast<size_t>(index)].second;
    return kComOk;
}

ComResult AddPoint(void* self, int32_t sampleOffset, double value, int32_t* index)
{
    auto& points = AsQueue(self).points;
    points.emplace_back(sampleOffset, value);
    if (index)
        *index = static_cast<int32_t>(points.size()) - 1;
    return kComOk;
}

const ParamQueueTable kQueueTable = {
    {&QueueQueryInterface, &AddRef, &Release},
    &GetParameterId,
    &GetPointCount,
    &GetPoint,
    &AddPoint,
};
}

const ParamChangesTable ParameterChanges::kTable = {
    {&ParameterChanges::QueryInterface, &AddRef, &Release},
    &ParameterChanges::GetParameterCount,
    &ParameterChanges::GetParameterData,
    &ParameterChanges::AddParameterData,
};

ParameterChanges::ParameterChanges() : table_(&kTable)
{
    static_assert(offsetof(Queue, table) == 0);
}

ParameterChanges::Queue* ParameterChanges::FindOrAdd(uint32_t id, int32_t& index)
{
    for (size_t i = 0; i < queues_.size(); ++i)
    {
        if (queues_[i].id == id)
        {
            index = static_cast<int32_t>(i);
            return &queues_[i];
        }
    }
    queues_.push_back(Queue{&kQueueTable, id, {}});
    index = static_cast<int32_t>(queues_.size()) - 1;
    return &queues_.back();
}

void ParameterChanges::Add(uint32_t id, int32_t sampleOffset, double value)
{
    int32_t index = 0;
    FindOrAdd(id, index)->points.emplace_back(sampleOffset, value);
}

ComResult ParameterChanges::QueryInterface(void* self, const uint8_t* interfaceId, void** object)
{
    if (!object)
        return kComFalse;
    const bool known = InterfaceIds::Equals(interfaceId, InterfaceIds::kUnknown) ||
                       InterfaceIds::Equals(interfaceId, InterfaceIds::kParameterChanges);
    *object = known ? self : nullptr;
    return known ? kComOk : kComNoInterface;
}

int32_t ParameterChanges::GetParameterCount(void* self)
{
    return static_cast<int32_t>(static_cast<ParameterChanges*>(self)->queues_.size());
}

void* ParameterChanges::GetParameterData(void* self, int32_t index)
{
    auto& queues = static_cast<ParameterChanges*>(self)->queues_;
    if (index < 0 || static_cast<size_t>(index) >= queues.size())
        return nullptr;
    return &queues[static_cast<size_t>(index)];
}

void* ParameterChanges::AddParameterData(void* self, const uint32_t* id, int32_t* index)
{
    if (!id || !index)
        return nullptr;
    return static_cast<ParameterChanges*>(self)->FindOrAdd(*id, *index);
}
