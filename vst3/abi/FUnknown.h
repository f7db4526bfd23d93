#pragma once

#include "vst3/abi/Uid.h"
#include "vst3/abi/Vst3Types.h"

namespace Vst3
{
// The root of every interface: interface discovery and reference counting. An object starts
// with one reference; queryInterface adds one on success and writes null on failure.
class FUnknown
{
public:
    static constexpr Uid kIid{0x00000000, 0x00000000, 0xC0000000, 0x00000046};

    virtual tresult PLUGIN_API queryInterface(const TUID interfaceId, void** object) = 0;
    virtual uint32 PLUGIN_API addRef() = 0;
    virtual uint32 PLUGIN_API release() = 0;
};
}
