#pragma once

#include "vst3/abi/FUnknown.h"

namespace Vst3
{
// The start and end of a plug-in object's life with its host; the context is the host's.
class ILifecycle : public FUnknown
{
public:
    static constexpr Uid kIid{0x22888DDB, 0x156E45AE, 0x8358B348, 0x08190625};

    virtual tresult PLUGIN_API initialize(FUnknown* context) = 0;
    virtual tresult PLUGIN_API terminate() = 0;
};
}
