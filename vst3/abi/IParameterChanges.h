#pragma once

#include "vst3/abi/FUnknown.h"

namespace Vst3
{
// Host side: the points of one parameter within a process block, by sample offset.
class IParamValueQueue : public FUnknown
{
public:
    static constexpr Uid kIid{0x01263A18, 0xED074F6F, 0x98C9D356, 0x4686F9BA};

    virtual ParamID PLUGIN_API getParameterId() = 0;
    virtual int32 PLUGIN_API getPointCount() = 0;
    virtual tresult PLUGIN_API getPoint(int32 index, int32& sampleOffset, ParamValue& value) = 0;
    virtual tresult PLUGIN_API addPoint(int32 sampleOffset, ParamValue value, int32& index) = 0;
};

// Host side: one queue per changed parameter.
class IParameterChanges : public FUnknown
{
public:
    static constexpr Uid kIid{0xA4779663, 0x0BB64A56, 0xB44384A8, 0x466FEB9D};

    virtual int32 PLUGIN_API getParameterCount() = 0;
    virtual IParamValueQueue* PLUGIN_API getParameterData(int32 index) = 0;
    virtual IParamValueQueue* PLUGIN_API addParameterData(const ParamID& id, int32& index) = 0;
};
}
