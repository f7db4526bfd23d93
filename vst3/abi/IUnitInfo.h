#pragma once

#include "vst3/abi/IBStream.h"
#include "vst3/abi/UnitRecords.h"

namespace Vst3
{
// Parameter groups (units) and the program lists that select programs.
class IUnitInfo : public FUnknown
{
public:
    static constexpr Uid kIid{0x3D4BD6B5, 0x913A4FD2, 0xA886E768, 0xA5EB92C1};

    virtual int32 PLUGIN_API getUnitCount() = 0;
    virtual tresult PLUGIN_API getUnitInfo(int32 unitIndex, UnitInfo& info) = 0;
    virtual int32 PLUGIN_API getProgramListCount() = 0;
    virtual tresult PLUGIN_API getProgramListInfo(int32 listIndex, ProgramListInfo& info) = 0;
    virtual tresult PLUGIN_API getProgramName(int32 listId, int32 programIndex, String128 name) = 0;
    virtual tresult PLUGIN_API getProgramInfo(int32 listId, int32 programIndex, FIDString attributeId,
                                              String128 value) = 0;
    virtual tresult PLUGIN_API hasProgramPitchNames(int32 listId, int32 programIndex) = 0;
    virtual tresult PLUGIN_API getProgramPitchName(int32 listId, int32 programIndex, int16 pitch,
                                                   String128 name) = 0;
    virtual int32 PLUGIN_API getSelectedUnit() = 0;
    virtual tresult PLUGIN_API selectUnit(int32 unitId) = 0;
    virtual tresult PLUGIN_API getUnitByBus(int32 type, int32 direction, int32 busIndex, int32 channel,
                                            int32& unitId) = 0;
    virtual tresult PLUGIN_API setUnitProgramData(int32 listOrUnitId, int32 programIndex, IBStream* data) = 0;
};
}
