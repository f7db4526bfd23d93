#include "plugin/ParameterTable.h"
#include "plugin/ZarvotoneProgram.h"

#include <gtest/gtest.h>

#include <limits>
#include <set>

namespace
{
using Wezmark::ZarvotoneProgram;

TEST(ProgramModel, EveryWorkingParameterRoundTripsThroughItsOwnSlot)
{
    ZarvotoneProgram program;
    for (int index = 0; index < kWorkingParamCount; ++index)
        program.SetValue(index, (index + 1) / 100.0);
    for (int index = 0; index < kWorkingParamCount; ++index)
        EXPECT_EQ(program.GetValue(index), (index + 1) / 100.0) << index;
}

// Where an index lives in the record: plain slots grouped by section, then the named records.
TEST(ProgramModel, ValuesLandInTheirPermutedSlots)
{
    const struct
    {
        int index;
        int plainSlot;  // -1: a named record
        int namedSlot;
    } cases[] = {
        {3, 4, -1},  {4, 3, -1},  {8, 16, -1},  {17, 29, -1}, {22, 8, -1},  {46, 52, -1}, {47, 48, -1},
        {56, 59, -1}, {57, 35, -1}, {62, 58, -1}, {59, -1, 0},  {60, -1, 1},  {64, -1, 2},  {61, -1, 3},
        {63, -1, 4},
    };
    for (const auto& c : cases)
    {
        ZarvotoneProgram program;
        program.SetValue(c.index, 0.123);
        const ProgramParameters& values = program.Values();
        const double stored = c.plainSlot >= 0 ? values.plain[static_cast<size_t>(c.plainSlot)]
                                               : values.named[static_cast<size_t>(c.namedSlot)].value;
        EXPECT_EQ(stored, 0.123) << c.index;
        if (c.namedSlot >= 0)
        {
            EXPECT_EQ(values.named[static_cast<size_t>(c.namedSlot)].index, c.index) << c.index;
        }
    }
}

TEST(ProgramModel, SetValueClampsAndIgnoresWhatItCannotStore)
{
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const struct
    {
        int index;
        double value;
        double stored;
    } cases[] = {{3, 1.7, 1.0}, {3, -2.0, 0.0}, {33, 0.2, 0.2}, {63, 3.0, 1.0}, {0, nan, 1.0}};
    for (const auto& c : cases)
    {
        ZarvotoneProgram program;
        program.SetValue(c.index, c.value);
        EXPECT_EQ(program.GetValue(c.index), c.stored) << c.index << " = " << c.value;
    }
    ZarvotoneProgram program;
    const ZarvotoneProgram before = program;
    for (int index : {-1, 65, 70, 84, 85})
    {
        program.SetValue(index, 0.3);
        EXPECT_EQ(program.GetValue(index), 0.0) << index;
    }
    for (int index = 0; index < kWorkingParamCount; ++index)
        EXPECT_EQ(program.GetValue(index), before.GetValue(index)) << index;
}

TEST(ProgramModel, NewProgramDiffersFromTheDefaultsWhereItShould)
{
    ZarvotoneProgram program;
    EXPECT_EQ(program.Name(), "Basic Distortion");
    const struct
    {
        int index;
        double fresh;
        double reset;
    } cases[] = {{5, 0.0, 1.0},  {11, 0.0, 0.5}, {12, 0.0, 1.0},
                 {24, 1.0, 0.5}, {25, 0.0, 1.0}, {63, 0.5, 0.251188643150958}};
    for (const auto& c : cases)
        EXPECT_EQ(program.GetValue(c.index), c.fresh) << c.index;
    ZarvotoneProgram::ResetToDefaults(program.Values());
    for (const auto& c : cases)
        EXPECT_EQ(program.GetValue(c.index), c.reset) << c.index;
    EXPECT_EQ(program.Name(), "Basic Distortion");
    EXPECT_EQ(program.Values().named[4].displayName, "Output Volume");
}

TEST(ProgramModel, ResetMatchesTheParameterDefaults)
{
    ProgramParameters values;
    ZarvotoneProgram::ResetToDefaults(values);
    for (int index = 0; index < kWorkingParamCount; ++index)
        EXPECT_EQ(values.Get(index), GetParameterDefinition(index).defaultValue) << index;
}

TEST(ProgramModel, KeyTableNamesEveryParameterOnce)
{
    ZarvotoneProgram program;
    const auto& keys = program.Keys();
    ASSERT_EQ(keys.size(), static_cast<size_t>(kTotalParamCount));
    std::set<int> indexes;
    std::set<std::string> words;
    for (const ProgramKey& key : keys)
    {
        indexes.insert(key.index);
        words.insert(key.key);
    }
    EXPECT_EQ(indexes.size(), static_cast<size_t>(kTotalParamCount));
    EXPECT_EQ(words.size(), static_cast<size_t>(kTotalParamCount));

    const struct
    {
        size_t position;
        const char* key;
        int index;
    } cases[] = {{0, "InputVolume", 0},      {5, "EqOnOff", 30},          {10, "DumpExpand", 57},
                 {17, "DistortionLoudness", 11}, {30, "FilterType", 24},  {48, "SubBandCutoff", 47},
                 {52, "FilterLink", 46},     {64, "Volume", 63},          {65, "Reserved_01", 65},
                 {84, "Reserved_20", 84}};
    for (const auto& c : cases)
    {
        EXPECT_EQ(keys[c.position].key, c.key) << c.position;
        EXPECT_EQ(keys[c.position].index, c.index) << c.position;
    }
}

TEST(ProgramModel, NamedRecordsCarryTheirNamesAndKeys)
{
    ZarvotoneProgram program;
    const struct
    {
        int index;
        const char* name;
        const char* key;
    } expected[] = {{59, "Output Limiter Level", "LimiterLevel"},
                    {60, "Output Limiter Mode", "LimiterMode"},
                    {64, "Auto Make-Up", "AutoMakeUp"},
                    {61, "Oversampling Mode", "Oversampling"},
                    {63, "Output Volume", "Volume"}};
    for (size_t slot = 0; slot < std::size(expected); ++slot)
    {
        const NamedParameter& record = program.Values().named[slot];
        EXPECT_EQ(record.index, expected[slot].index) << slot;
        EXPECT_EQ(record.displayName, expected[slot].name) << slot;
        EXPECT_EQ(record.fileKey, expected[slot].key) << slot;
    }
}

TEST(ProgramModel, CopiesCarryValuesNamesAndKeys)
{
    ZarvotoneProgram original;
    original.SetName("Copied");
    original.SetValue(47, 0.9);
    const ZarvotoneProgram copy = original;
    EXPECT_EQ(copy.Name(), "Copied");
    EXPECT_EQ(copy.GetValue(47), 0.9);
    EXPECT_EQ(copy.Keys().size(), original.Keys().size());
    ProgramParameters assigned;
    assigned = original.Values();
    EXPECT_EQ(assigned.named[0].fileKey, "LimiterLevel");
    EXPECT_EQ(assigned.Get(47), 0.9);
}
}
