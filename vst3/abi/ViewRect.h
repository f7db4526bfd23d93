#pragma once

#include "vst3/abi/Vst3Types.h"

namespace Vst3
{
struct ViewRect
{
    int32 left;
    int32 top;
    int32 right;
    int32 bottom;
};

static_assert(sizeof(ViewRect) == 16);
}
