#pragma once

#include "vst3/abi/FUnknown.h"

namespace Vst3
{
// A message between connected objects; only handed through here.
class IMessage : public FUnknown
{
public:
    static constexpr Uid kIid{0x936F033B, 0xC6C047DB, 0xBB0882F8, 0x13C1E613};
};

class IConnectionPoint : public FUnknown
{
public:
    static constexpr Uid kIid{0x70A4156F, 0x6E6E4026, 0x989148BF, 0xAA60D8D1};

    virtual tresult PLUGIN_API connect(IConnectionPoint* other) = 0;
    virtual tresult PLUGIN_API disconnect(IConnectionPoint* other) = 0;
    virtual tresult PLUGIN_API notify(IMessage* message) = 0;
};
}
