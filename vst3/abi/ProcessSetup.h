#pragma once

#include "vst3/abi/Vst3Types.h"

#include <cstddef>

namespace Vst3
{
struct ProcessSetup
{
    int32 processMode;
    int32 symbolicSampleSize;
    int32 maxSamplesPerBlock;
    double sampleRate;
};

static_assert(sizeof(ProcessSetup) == 24);
static_assert(offsetof(ProcessSetup, sampleRate) == 16);
}
