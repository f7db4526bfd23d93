#pragma once

#include "vst3/abi/FUnknown.h"

namespace Vst3
{
// Only handed through here: this plug-in takes no events.
struct Event;

class IEventList : public FUnknown
{
public:
    static constexpr Uid kIid{0x3A2C4214, 0x346349FE, 0xB2C4F397, 0xB9695A44};

    virtual int32 PLUGIN_API getEventCount() = 0;
    virtual tresult PLUGIN_API getEvent(int32 index, Event& event) = 0;
    virtual tresult PLUGIN_API addEvent(Event& event) = 0;
};
}
