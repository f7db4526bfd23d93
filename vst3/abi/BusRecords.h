#pragma once

#include "vst3/abi/Vst3Types.h"

#include <cstddef>

namespace Vst3
{
struct BusInfo
{
    int32 mediaType;
    int32 direction;
    int32 channelCount;
    String128 name;
    int32 busType;
    uint32 flags;
};

struct RoutingInfo
{
    int32 mediaType;
    int32 busIndex;
    int32 channel;
};

static_assert(sizeof(BusInfo) == 276);
static_assert(offsetof(BusInfo, busType) == 268);
static_assert(sizeof(RoutingInfo) == 12);
}
