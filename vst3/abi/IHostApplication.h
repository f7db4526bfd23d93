#pragma once

#include "vst3/abi/FUnknown.h"

namespace Vst3
{
// Host side: offered by the context that initialize receives.
class IHostApplication : public FUnknown
{
public:
    static constexpr Uid kIid{0x58E595CC, 0xDB2D4969, 0x8B6AAF8C, 0x36A664E5};

    virtual tresult PLUGIN_API getName(String128 name) = 0;
    virtual tresult PLUGIN_API createInstance(TUID cid, TUID interfaceId, void** object) = 0;
};
}
