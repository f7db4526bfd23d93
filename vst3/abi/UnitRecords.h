#pragma once

#include "vst3/abi/Vst3Types.h"

#include <cstddef>

namespace Vst3
{
struct UnitInfo
{
    int32 id;
    int32 parentUnitId;
    String128 name;
    int32 programListId;
};

struct ProgramListInfo
{
    int32 id;
    String128 name;
    int32 programCount;
};

static_assert(sizeof(UnitInfo) == 268);
static_assert(offsetof(UnitInfo, programListId) == 264);
static_assert(sizeof(ProgramListInfo) == 264);
static_assert(offsetof(ProgramListInfo, programCount) == 260);
}
