#pragma once

#include "vst3/abi/FUnknown.h"

namespace Vst3
{
// Host side: receives the edit controller's parameter gestures and restart requests.
class IComponentHandler : public FUnknown
{
public:
    static constexpr Uid kIid{0x93A0BEA3, 0x0BD045DB, 0x8E890B0C, 0xC1E46AC6};

    virtual tresult PLUGIN_API beginEdit(ParamID id) = 0;
    virtual tresult PLUGIN_API performEdit(ParamID id, ParamValue valueNormalized) = 0;
    virtual tresult PLUGIN_API endEdit(ParamID id) = 0;
    virtual tresult PLUGIN_API restartComponent(int32 flags) = 0;
};
}
