#include "tests/vst3/HostedEffect.h"
#include "vst3/abi/ResultCodes.h"
#include "vst3/abi/Vst3Constants.h"

#include <gtest/gtest.h>

#include <string>

namespace
{
constexpr Vst3::int32 kProgramList = static_cast<Vst3::int32>(IEffectVST3::kProgramParamId);

TEST(Units, GroupsBecomeUnitsInOrderOfFirstAppearance)
{
    HostedEffect effect;
    Vst3::IUnitInfo* units = effect.Units();
    ASSERT_EQ(units->getUnitCount(), 4);
    struct Case
    {
        Vst3::int32 parent;
        const char16_t* name;
        Vst3::int32 programList;
    };
    const Case cases[] = {
        {-1, u"Root Unit", kProgramList},
        {0, u"Level", -1},
        {0, u"Shape", -1},
        {0, u"Spare", -1},
    };
    for (Vst3::int32 index = 0; index < 4; ++index)
    {
        const Case& c = cases[index];
        Vst3::UnitInfo info{};
        ASSERT_EQ(units->getUnitInfo(index, info), Vst3::kResultOk);
        EXPECT_EQ(info.id, index);
        EXPECT_EQ(info.parentUnitId, c.parent) << index;
        EXPECT_EQ(std::u16string(info.name), c.name) << index;
        EXPECT_EQ(info.programListId, c.programList) << index;
    }
    Vst3::UnitInfo info{};
    EXPECT_EQ(units->getUnitInfo(4, info), Vst3::kResultFalse);
    EXPECT_EQ(units->getUnitInfo(-1, info), Vst3::kResultFalse);

    // Each parameter names its group's unit; an empty group is the root.
    Vst3::ParameterInfo parameter{};
    for (auto [index, unit] : {std::pair{2 + RecordingProduct::kTrim, 1}, std::pair{2 + RecordingProduct::kMode, 2},
                               std::pair{2 + RecordingProduct::kCurve, 0}, std::pair{2 + 50, 3}})
    {
        effect.Controller()->getParameterInfo(index, parameter);
        EXPECT_EQ(parameter.unitId, unit) << index;
    }
}

TEST(Units, OneProgramListOfAllPresets)
{
    HostedEffect effect;
    Vst3::IUnitInfo* units = effect.Units();
    ASSERT_EQ(units->getProgramListCount(), 1);
    Vst3::ProgramListInfo list{};
    ASSERT_EQ(units->getProgramListInfo(0, list), Vst3::kResultOk);
    EXPECT_EQ(list.id, kProgramList);
    EXPECT_EQ(std::u16string(list.name), u"Factory Presets");
    EXPECT_EQ(list.programCount, 128);
    EXPECT_EQ(units->getProgramListInfo(1, list), Vst3::kResultFalse);
    EXPECT_EQ(units->getSelectedUnit(), 0);
}

TEST(Units, ProgramNames)
{
    HostedEffect effect;
    Vst3::IUnitInfo* units = effect.Units();
    struct Case
    {
        Vst3::int32 list;
        Vst3::int32 index;
        Vst3::tresult result;
        const char16_t* name;
    };
    const Case cases[] = {
        {kProgramList, 0, Vst3::kResultOk, u"Preset 0"},
        {kProgramList, 127, Vst3::kResultOk, u"Preset 127"},
        {kProgramList, 128, Vst3::kResultOk, u""},
        {kProgramList, -1, Vst3::kResultOk, u""},
        {0, 0, Vst3::kResultFalse, u"untouched"},
    };
    for (const Case& c : cases)
    {
        Vst3::String128 name = u"untouched";
        EXPECT_EQ(units->getProgramName(c.list, c.index, name), c.result) << c.index;
        EXPECT_EQ(std::u16string(name), c.name) << c.index;
    }
}

TEST(Units, QuestionsThisEffectDoesNotAnswer)
{
    HostedEffect effect;
    Vst3::IUnitInfo* units = effect.Units();
    Vst3::String128 text = {};
    Vst3::int32 unit = 0;
    EXPECT_EQ(units->getProgramInfo(kProgramList, 0, "name", text), Vst3::kNotImplemented);
    EXPECT_EQ(units->hasProgramPitchNames(kProgramList, 0), Vst3::kNotImplemented);
    EXPECT_EQ(units->getProgramPitchName(kProgramList, 0, 60, text), Vst3::kNotImplemented);
    EXPECT_EQ(units->selectUnit(1), Vst3::kNotImplemented);
    EXPECT_EQ(units->getUnitByBus(Vst3::kMediaTypeAudio, Vst3::kDirectionInput, 0, 0, unit), Vst3::kNotImplemented);
    EXPECT_EQ(units->setUnitProgramData(kProgramList, 0, nullptr), Vst3::kNotImplemented);
}
}
