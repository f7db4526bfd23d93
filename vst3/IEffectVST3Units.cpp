#include "vst3/IEffectVST3.h"

#include "vst3/abi/ResultCodes.h"
#include "vst3/abi/Vst3Constants.h"
#include "vst3/base/Utf16Text.h"

namespace
{
constexpr char kRootUnitName[] = "Root Unit";
constexpr char kProgramListName[] = "Factory Presets";
constexpr Vst3::int32 kProgramListId = static_cast<Vst3::int32>(IEffectVST3::kProgramParamId);
}

Vst3::int32 PLUGIN_API IEffectVST3::getUnitCount()
{
    return static_cast<Vst3::int32>(mUnitNames.size()) + 1;
}

Vst3::tresult PLUGIN_API IEffectVST3::getUnitInfo(Vst3::int32 unitIndex, Vst3::UnitInfo& info)
{
    if (unitIndex < 0 || unitIndex >= getUnitCount())
        return Vst3::kResultFalse;
    info = Vst3::UnitInfo{};
    info.id = unitIndex;
    if (unitIndex == Vst3::kRootUnitId)
    {
        info.parentUnitId = Vst3::kNoParentUnitId;
        Vst3::WidenText(kRootUnitName, info.name, Vst3::kString128Size);
        info.programListId = kProgramListId;
        return Vst3::kResultOk;
    }
    info.parentUnitId = Vst3::kRootUnitId;
    Vst3::WidenText(mUnitNames[static_cast<size_t>(unitIndex) - 1].c_str(), info.name, Vst3::kString128Size);
    info.programListId = Vst3::kNoProgramListId;
    return Vst3::kResultOk;
}

Vst3::int32 PLUGIN_API IEffectVST3::getProgramListCount()
{
    return GetPresetCount() > 0 ? 1 : 0;
}

Vst3::tresult PLUGIN_API IEffectVST3::getProgramListInfo(Vst3::int32 listIndex, Vst3::ProgramListInfo& info)
{
    if (listIndex < 0 || listIndex >= getProgramListCount())
        return Vst3::kResultFalse;
    info = Vst3::ProgramListInfo{};
    info.id = kProgramListId;
    Vst3::WidenText(kProgramListName, info.name, Vst3::kString128Size);
    info.programCount = GetPresetCount();
    return Vst3::kResultOk;
}

Vst3::tresult PLUGIN_API IEffectVST3::getProgramName(Vst3::int32 listId, Vst3::int32 programIndex,
                                                     Vst3::String128 name)
{
    if (listId != kProgramListId)
        return Vst3::kResultFalse;
    const PresetSlot* preset = GetPreset(programIndex);
    Vst3::WidenText(preset ? preset->name : "", name, Vst3::kString128Size);
    return Vst3::kResultOk;
}

Vst3::tresult PLUGIN_API IEffectVST3::getProgramInfo(Vst3::int32, Vst3::int32, Vst3::FIDString, Vst3::String128)
{
    return Vst3::kNotImplemented;
}

Vst3::tresult PLUGIN_API IEffectVST3::hasProgramPitchNames(Vst3::int32, Vst3::int32)
{
    return Vst3::kNotImplemented;
}

Vst3::tresult PLUGIN_API IEffectVST3::getProgramPitchName(Vst3::int32, Vst3::int32, Vst3::int16, Vst3::String128)
{
    return Vst3::kNotImplemented;
}

Vst3::int32 PLUGIN_API IEffectVST3::getSelectedUnit()
{
    return Vst3::kRootUnitId;
}

Vst3::tresult PLUGIN_API IEffectVST3::selectUnit(Vst3::int32)
{
    return Vst3::kNotImplemented;
}

Vst3::tresult PLUGIN_API IEffectVST3::getUnitByBus(Vst3::int32, Vst3::int32, Vst3::int32, Vst3::int32, Vst3::int32&)
{
    return Vst3::kNotImplemented;
}

Vst3::tresult PLUGIN_API IEffectVST3::setUnitProgramData(Vst3::int32, Vst3::int32, Vst3::IBStream*)
{
    return Vst3::kNotImplemented;
}
