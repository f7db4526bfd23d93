#include "tests/vst3/TestParameterChanges.h"

Vst3::tresult PLUGIN_API TestParamQueue::getPoint(Vst3::int32 index, Vst3::int32& sampleOffset,
                                                   Vst3::ParamValue& value)
{
    if (unreadable || index < 0 || index >= getPointCount())
        return Vst3::kResultFalse;
    sampleOffset = points[static_cast<size_t>(index)].first;
    value = points[static_cast<size_t>(index)].second;
    return Vst3::kResultOk;
}

Vst3::tresult PLUGIN_API TestParamQueue::addPoint(Vst3::int32 sampleOffset, Vst3::ParamValue value,
                                                   Vst3::int32& index)
{
    points.emplace_back(sampleOffset, value);
    index = getPointCount() - 1;
    return Vst3::kResultOk;
}

TestParamQueue& TestParameterChanges::Queue(Vst3::ParamID id)
{
    for (TestParamQueue& queue : mQueues)
        if (queue.getParameterId() == id)
            return queue;
    return mQueues.emplace_back(id);
}

TestParameterChanges& TestParameterChanges::Add(Vst3::ParamID id, double value, Vst3::int32 sampleOffset)
{
    Queue(id).points.emplace_back(sampleOffset, value);
    return *this;
}

Vst3::IParamValueQueue* PLUGIN_API TestParameterChanges::getParameterData(Vst3::int32 index)
{
    if (index < 0 || index >= getParameterCount())
        return nullptr;
    return &mQueues[static_cast<size_t>(index)];
}

Vst3::IParamValueQueue* PLUGIN_API TestParameterChanges::addParameterData(const Vst3::ParamID& id, Vst3::int32& index)
{
    TestParamQueue& queue = Queue(id);
    for (size_t i = 0; i < mQueues.size(); ++i)
        if (&mQueues[i] == &queue)
            index = static_cast<Vst3::int32>(i);
    return &queue;
}
