// The effect as the VST3 module builds it: the same state and program text files, and no VST2
// program files.
#include "plugin/FxpProgramFile.h"
#include "plugin/ParameterTable.h"
#include "plugin/Zarvotone.h"
#include "tests/dsp_units_files/TempFile.h"
#include "tests/plugin/StateBytes.h"
#include "tests/plugin/Vst3ProcessRig.h"
#include "tests/vst3/RecordingComponentHandler.h"
#include "tests/vst3/TestParameterChanges.h"
#include "tests/vst3/TestStream.h"

#include <gtest/gtest.h>

#include "vst3/abi/ResultCodes.h"
#include "vst3/abi/Vst3Constants.h"
#include "vst3/base/Utf16Text.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <functional>
#include <numbers>
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

// A host that makes up for the reported latency keeps a bypassed track in time only when the
// bypassed input comes out exactly that late.
TEST(Vst3Binding, BypassedImpulseComesOutAtTheReportedLatency)
{
    constexpr int kBlock = 512;
    constexpr size_t kImpulseAt = 100;
    for (const double oversampling : {0.0, 1.0})
    {
        Vst3ProcessRig rig(kBlock, 48000.0);
        for (int c : {0, 1})
        {
            std::vector<double>& input = rig.Input(c);
            std::fill(input.begin(), input.end(), 0.0);
            input[kImpulseAt] = c == 0 ? 0.5 : -0.25;
        }
        TestParameterChanges changes;
        changes.Add(kParamOversampling, oversampling).Add(IEffectVST3::kBypassParamId, 1.0);
        ASSERT_EQ(rig.Process(&changes), Vst3::kResultOk);
        const size_t latency = rig.plugin.getLatencySamples();
        EXPECT_EQ(latency > 0, oversampling > 0.5);
        for (int c : {0, 1})
        {
            std::vector<double> expected(kBlock, 0.0);
            expected[kImpulseAt + latency] = rig.Input(c)[kImpulseAt];
            EXPECT_EQ(rig.Output(c), expected) << "oversampling " << oversampling << ", channel " << c;
        }
    }
}

// The bypassed signal is the input that the effect heard, delayed: switching bypass on
// mid-stream continues it without a gap, and in time with the effect's output before.
TEST(Vst3Binding, SwitchingBypassOnContinuesTheInputInTime)
{
    constexpr int kBlock = 512;
    Vst3ProcessRig rig(kBlock, 48000.0);
    // Whole periods in the block that the rig repeats, so the input has no DC for the path's
    // DC blockers to take away.
    constexpr double kPeriodsPerBlock = 5.0;
    for (int c : {0, 1})
        for (size_t i = 0; i < kBlock; ++i)
        {
            const double phase = 2.0 * std::numbers::pi * kPeriodsPerBlock * static_cast<double>(i) / kBlock;
            rig.Input(c)[i] = 0.5 * std::sin(phase + c);
        }
    TestParameterChanges oversample;
    // A neutral path, so that the output before the switch is the input, delayed.
    oversample.Add(kParamOversampling, 1.0)
        .Add(kParamFilterOn, 0.0)
        .Add(kParamDistoEqOn, 0.0)
        .Add(kParamDistortionOn, 0.0);
    ASSERT_EQ(rig.Process(&oversample), Vst3::kResultOk);
    // The input stage fades in from silence over some thousand frames.
    constexpr int kFadeInBlocks = 16;
    for (int block = 0; block < kFadeInBlocks; ++block)
        ASSERT_EQ(rig.Process(), Vst3::kResultOk);
    const std::vector<double> before = rig.Output(0);
    TestParameterChanges bypass;
    bypass.Add(IEffectVST3::kBypassParamId, 1.0);
    ASSERT_EQ(rig.Process(&bypass), Vst3::kResultOk);
    const size_t latency = rig.plugin.getLatencySamples();
    ASSERT_GT(latency, 0u);
    for (int c : {0, 1})
    {
        // The rig plays the same block again and again.
        const std::vector<double>& input = rig.Input(c);
        std::vector<double> expected(kBlock);
        for (size_t i = 0; i < expected.size(); ++i)
            expected[i] = i < latency ? input[kBlock - latency + i] : input[i - latency];
        EXPECT_EQ(rig.Output(c), expected) << "channel " << c;
    }
    // Aligned, the switch steps no further than the tone does from one frame to the next.
    double toneStep = 0.0;
    for (size_t i = 1; i < rig.Input(0).size(); ++i)
        toneStep = std::max(toneStep, std::abs(rig.Input(0)[i] - rig.Input(0)[i - 1]));
    EXPECT_LE(std::abs(rig.Output(0)[0] - before.back()), toneStep);
}

// Hosts restart the component only on their UI thread: a latency change made while process
// applies the host's queues waits for the next controller call there, and is told once.
TEST(Vst3Binding, LatencyChangeIsToldFromUiThreadCallsOnly)
{
    struct Case
    {
        const char* call;
        std::function<void(Zarvotone&)> run;
    };
    const Case cases[] = {
        {"setParamNormalized", [](Zarvotone& p) { p.setParamNormalized(kParamOversampling, 1.0); }},
        {"setActive", [](Zarvotone& p) { p.setActive(true); }},
        {"setState",
         [](Zarvotone& p) {
             TestStream saved;
             ASSERT_EQ(p.getState(&saved), Vst3::kResultOk);
             TestStream loaded(saved.bytes);
             EXPECT_EQ(p.setState(&loaded), Vst3::kResultOk);
         }},
    };
    for (const Case& c : cases)
    {
        Vst3ProcessRig rig(64, 48000.0);
        RecordingComponentHandler handler;
        rig.plugin.setComponentHandler(&handler);
        TestParameterChanges changes;
        changes.Add(kParamOversampling, 1.0);
        ASSERT_EQ(rig.Process(&changes), Vst3::kResultOk);
        EXPECT_TRUE(handler.calls.empty()) << c.call;
        EXPECT_EQ(rig.plugin.getLatencySamples(), static_cast<uint32_t>(rig.plugin.Units().OversampledLatency()));

        for (int repeat = 0; repeat < 2; ++repeat)
            c.run(rig.plugin);
        // A loaded state also reports its linked values through edits; only restarts count here.
        std::vector<Vst3::int32> restarts;
        for (const RecordingComponentHandler::Call& call : handler.calls)
            if (call.kind == RecordingComponentHandler::Kind::Restart)
                restarts.push_back(call.flags);
        EXPECT_EQ(restarts, std::vector<Vst3::int32>{Vst3::kRestartLatencyChanged}) << c.call;
        rig.plugin.setComponentHandler(nullptr);
    }
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
