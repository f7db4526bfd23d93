// The effect as the VST3 module builds it: the same state and program text files, and no VST2
// program files.
#include "plugin/FxpProgramFile.h"
#include "plugin/Zarvotone.h"
#include "tests/dsp_units/TempFile.h"
#include "tests/plugin/StateBytes.h"

#include <gtest/gtest.h>

#include <filesystem>
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
}
