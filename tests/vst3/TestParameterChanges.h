#pragma once

#include "tests/vst3/CountedHostObject.h"
#include "vst3/abi/IParameterChanges.h"

#include <deque>
#include <utility>
#include <vector>

// The parameter queues of one process call.
class TestParamQueue : public CountedHostObject<Vst3::IParamValueQueue>
{
public:
    explicit TestParamQueue(Vst3::ParamID id) : mId(id) {}

    Vst3::ParamID PLUGIN_API getParameterId() override { return mId; }
    Vst3::int32 PLUGIN_API getPointCount() override { return static_cast<Vst3::int32>(points.size()); }
    Vst3::tresult PLUGIN_API getPoint(Vst3::int32 index, Vst3::int32& sampleOffset, Vst3::ParamValue& value) override;
    Vst3::tresult PLUGIN_API addPoint(Vst3::int32 sampleOffset, Vst3::ParamValue value, Vst3::int32& index) override;

    std::vector<std::pair<Vst3::int32, double>> points;
    // Makes every getPoint fail, as a broken queue would.
    bool unreadable = false;

private:
    Vst3::ParamID mId;
};

class TestParameterChanges : public CountedHostObject<Vst3::IParameterChanges>
{
public:
    // Appends a point, making the parameter's queue on first use.
    TestParameterChanges& Add(Vst3::ParamID id, double value, Vst3::int32 sampleOffset = 0);
    TestParamQueue& Queue(Vst3::ParamID id);

    Vst3::int32 PLUGIN_API getParameterCount() override { return static_cast<Vst3::int32>(mQueues.size()); }
    Vst3::IParamValueQueue* PLUGIN_API getParameterData(Vst3::int32 index) override;
    Vst3::IParamValueQueue* PLUGIN_API addParameterData(const Vst3::ParamID& id, Vst3::int32& index) override;

private:
    std::deque<TestParamQueue> mQueues;
};
