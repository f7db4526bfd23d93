#pragma once

#include "vst3/abi/BusRecords.h"
#include "vst3/abi/IBStream.h"
#include "vst3/abi/ILifecycle.h"

namespace Vst3
{
// The processing side of a plug-in as the host manages it: buses, activation and state.
class IComponent : public ILifecycle
{
public:
    static constexpr Uid kIid{0xE831FF31, 0xF2D54301, 0x928EBBEE, 0x25697802};

    virtual tresult PLUGIN_API getControllerClassId(TUID classId) = 0;
    virtual tresult PLUGIN_API setIoMode(int32 mode) = 0;
    virtual int32 PLUGIN_API getBusCount(int32 type, int32 direction) = 0;
    virtual tresult PLUGIN_API getBusInfo(int32 type, int32 direction, int32 index, BusInfo& bus) = 0;
    virtual tresult PLUGIN_API getRoutingInfo(RoutingInfo& input, RoutingInfo& output) = 0;
    virtual tresult PLUGIN_API activateBus(int32 type, int32 direction, int32 index, TBool state) = 0;
    virtual tresult PLUGIN_API setActive(TBool state) = 0;
    virtual tresult PLUGIN_API setState(IBStream* state) = 0;
    virtual tresult PLUGIN_API getState(IBStream* state) = 0;
};
}
