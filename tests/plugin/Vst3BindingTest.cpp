// The effect as the VST3 module builds it: the same state and program text files, and no VST2
// program files.
#include "plugin/FxpProgramFile.h"
#include "plugin/ParameterTable.h"
#include "plugin/Zarvotone.h"
#include "tests/dsp_units_files/TempFile.h"
#include "tests/plugin/StateBytes.h"

#include <gtest/gtest.h>

#include "vst3/abi/ResultCodes.h"
#include "vst3/base/Utf16Text.h"

#include <cstdio>
#include <filesystem>
#include <set>
#include <string>

namespace
{
TEST(Vst3Binding, AnswersFalseToVst2ProgramFiles)
{
    Zarvotone plugin(nullptr);
    ASSERT_EQ(plugin.GetPluginApi(), IEffectBase::kPluginApiVst3);
    TempFile file(".fxp");
    EXPECT_FALSE(plugin.SaveFxpFile(file.Path()));
    EXPECT_FALSE(std::filesystem::exists(file.Path()));

    // A file that the VST2 plug-in would take: its id "zv10" and version 1.1.0.
    StateChunk chunk;
    ASSERT_TRUE(IEffectBase::WriteChunkHeader(chunk));
    ASSERT_TRUE(plugin.SerializeState(chunk));
    const std::vector<uint8_t> image = FxpProgramFile::Compose({0x7A763130, 0x00010100, 85}, "Other", chunk);
    file.Write(std::string(image.begin(), image.end()));
    plugin.GetParam(kParamGateLevel)->SetPlain(0.25);
    plugin.ParamChanged(kParamGateLevel);
    const Bytes before = StateBytes(plugin);
    EXPECT_FALSE(plugin.LoadFxpFile(file.Path()));
    EXPECT_EQ(Difference(StateBytes(plugin), before), "");
}

// Oversampling delays the output by its round trips; the host reads that through
// getLatencySamples, and reads 0 again once it is off.
TEST(Vst3Binding, ReportsTheOversampledDelay)
{
    Zarvotone plugin(nullptr);
    EXPECT_EQ(plugin.getLatencySamples(), 0u);
    for (const double oversampling : {1.0, 0.0})
    {
        plugin.GetParam(kParamOversampling)->SetNormalized(oversampling);
        plugin.ParamChanged(kParamOversampling);
        const auto expected = oversampling > 0.5 ? static_cast<uint32_t>(plugin.Units().OversampledLatency()) : 0u;
        EXPECT_EQ(plugin.getLatencySamples(), expected);
    }
    EXPECT_GT(plugin.Units().OversampledLatency(), 0);
}

TEST(Vst3Binding, StateAndProgramTextFilesWorkAsInTheVst2Plugin)
{
    Zarvotone source(nullptr);
    source.GetParam(kParamGateLevel)->SetPlain(0.25);
    source.ParamChanged(kParamGateLevel);
    const Bytes state = StateBytes(source);
    ASSERT_EQ(state.size(), 22264u);

    Zarvotone target(nullptr);
    EXPECT_EQ(target.UnserializeState(ChunkOf(state), 0), 22264);
    EXPECT_EQ(Difference(StateBytes(target), state), "");

    TempFile file(".wz");
    source.SaveProgramFile(file.Path());
    Zarvotone reader(nullptr);
    reader.LoadProgramFile(file.Path());
    EXPECT_EQ(reader.GetParam(kParamGateLevel)->Value(), 0.25);
}

// Hosts tell parameters apart by their titles: 57 and 58 differ only past the 32nd character.
TEST(Vst3Binding, HostsGetEveryParameterTitleWholeAndDistinct)
{
    Zarvotone plugin(nullptr);
    ASSERT_EQ(plugin.initialize(nullptr), Vst3::kResultOk);
    std::set<std::string> titles;
    for (Vst3::int32 i = 0; i < plugin.getParameterCount(); ++i)
    {
        Vst3::ParameterInfo info{};
        ASSERT_EQ(plugin.getParameterInfo(i, info), Vst3::kResultOk);
        if (info.id >= static_cast<Vst3::ParamID>(kTotalParamCount))
            continue;
        char title[Vst3::kString128Size];
        Vst3::NarrowText(info.title, title, Vst3::kString128Size);
        char expected[Vst3::kString128Size];
        if (info.id < static_cast<Vst3::ParamID>(kFirstReservedParam))
            std::snprintf(expected, sizeof expected, "%s", GetParameterDefinition(static_cast<int>(info.id)).name);
        else
            FormatReservedParamName(static_cast<int>(info.id), expected, sizeof expected);
        EXPECT_STREQ(title, expected) << info.id;
        titles.insert(title);
    }
    EXPECT_EQ(titles.size(), static_cast<size_t>(kTotalParamCount));
    plugin.terminate();
}
}
