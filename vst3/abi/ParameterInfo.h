#pragma once

#include "vst3/abi/Vst3Types.h"

#include <cstddef>

namespace Vst3
{
// How the host sees one parameter.
struct ParameterInfo
{
    ParamID id;
    String128 title;
    String128 shortTitle;
    String128 units;
    int32 stepCount;
    ParamValue defaultNormalizedValue;
    int32 unitId;
    int32 flags;
};

static_assert(sizeof(ParameterInfo) == 792);
static_assert(offsetof(ParameterInfo, stepCount) == 772);
static_assert(offsetof(ParameterInfo, defaultNormalizedValue) == 776);
static_assert(offsetof(ParameterInfo, unitId) == 784);
static_assert(offsetof(ParameterInfo, flags) == 788);
}
