// The effect as the VST3 module builds it: the same state and program text files, and no VST2
// program files.
#include "plugin/FxpProgramFile.h"
#include "plugin/ParameterTable.h"
#include "plugin/StateBlock.h"
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
// mid-stream fades over to it without a gap, and in time with the effect's output before.
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
    double last = rig.Output(0).back();
    TestParameterChanges bypass;
    bypass.Add(IEffectVST3::kBypassParamId, 1.0);
    ASSERT_EQ(rig.Process(&bypass), Vst3::kResultOk);
    // Aligned, the fade steps no further than the tone does from one frame to the next.
    double toneStep = 0.0;
    for (size_t i = 1; i < rig.Input(0).size(); ++i)
        toneStep = std::max(toneStep, std::abs(rig.Input(0)[i] - rig.Input(0)[i - 1]));
    double largestStep = 0.0;
    for (const double sample : rig.Output(0))
    {
        largestStep = std::max(largestStep, std::abs(sample - last));
        last = sample;
    }
    EXPECT_LE(largestStep, toneStep);

    // The fade is over within a block.
    ASSERT_LT(IEffectVST3::kBypassFadeSeconds * 48000.0, kBlock);
    ASSERT_EQ(rig.Process(), Vst3::kResultOk);
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
}

// Hosts restart the component only on their UI thread and outside their calls into the
// plug-in: a latency change made while process applies the host's queues reaches the host from
// the UI thread's loop, with no further call, and once.
TEST(Vst3Binding, LatencyChangeReachesTheHostFromTheUiLoop)
{
    for (const double oversampling : {1.0, 0.0})
    {
        Vst3ProcessRig rig(64, 48000.0);
        RecordingComponentHandler handler;
        rig.plugin.setComponentHandler(&handler);
        TestParameterChanges on;
        on.Add(kParamOversampling, 1.0);
        ASSERT_EQ(rig.Process(&on), Vst3::kResultOk);
        if (oversampling < 0.5)
        {
            ASSERT_TRUE(handler.AwaitRestart());
            handler.calls.clear();
            TestParameterChanges off;
            off.Add(kParamOversampling, 0.0);
            ASSERT_EQ(rig.Process(&off), Vst3::kResultOk);
        }
        EXPECT_TRUE(handler.calls.empty());
        ASSERT_TRUE(handler.AwaitRestart()) << "oversampling " << oversampling;
        handler.loop.Turn();
        EXPECT_EQ(handler.Restarts(), std::vector<Vst3::int32>{Vst3::kRestartLatencyChanged});
        const auto expected = oversampling > 0.5 ? static_cast<uint32_t>(rig.plugin.Units().OversampledLatency()) : 0u;
        EXPECT_EQ(rig.plugin.getLatencySamples(), expected);
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

namespace
{
constexpr Vst3::ParamID kLastParamId = kTotalParamCount - 1;

// Where the controller's values and the processor's part: the controller's value of every
// parameter and the bypass switch against the state the component gives and, for the working
// parameters, the values processing applies. Empty when they agree.
std::string ControllerMismatches(Zarvotone& plugin)
{
    TestStream state;
    if (plugin.getState(&state) != Vst3::kResultOk)
        return "no state";
    std::string mismatches;
    for (Vst3::ParamID id = 0; id <= kLastParamId; ++id)
    {
        const double controller = plugin.getParamNormalized(id);
        const double stored = GetDouble(state.bytes, StateBlock::kParamsOffset + sizeof(double) * id);
        const double held = static_cast<int>(id) < kWorkingParamCount ? plugin.CurrentValues().Get(static_cast<int>(id))
                                                                      : stored;
        if (controller != plugin.plainParamToNormalized(id, stored) || controller != plugin.plainParamToNormalized(id, held))
            mismatches += " " + std::to_string(id) + ": " + std::to_string(controller) + " state " +
                          std::to_string(stored) + " processor " + std::to_string(held);
    }
    const bool bypassStored = state.bytes.back() != 0 || state.bytes[state.bytes.size() - 4] != 0;
    if ((plugin.getParamNormalized(IEffectVST3::kBypassParamId) > 0.5) != bypassStored ||
        bypassStored != plugin.IsBypassed())
        mismatches += " bypass";
    return mismatches;
}

// A state of the rig's plug-in after other values, another program and bypass on.
std::vector<uint8_t> ChangedState()
{
    Vst3ProcessRig rig(64, 48000.0);
    TestParameterChanges changes;
    changes.Add(IEffectVST3::kProgramParamId, 17.0 / 128.0);
    EXPECT_EQ(rig.Process(&changes), Vst3::kResultOk);
    TestParameterChanges more;
    more.Add(kParamFilterBalance, 0.8).Add(kParamOversampling, 1.0).Add(IEffectVST3::kBypassParamId, 1.0);
    EXPECT_EQ(rig.Process(&more), Vst3::kResultOk);
    TestStream saved;
    EXPECT_EQ(rig.plugin.getState(&saved), Vst3::kResultOk);
    return saved.bytes;
}
}

// After every host operation the host reads from the controller the values the processor holds
// and the component saves, for all 85 parameters and the bypass switch.
TEST(Vst3Binding, ControllerValuesAreTheProcessorsAfterEveryHostOperation)
{
    {
        Zarvotone constructed(nullptr);
        EXPECT_EQ(ControllerMismatches(constructed), "") << "constructed";
    }
    const std::vector<uint8_t> changed = ChangedState();
    Vst3ProcessRig rig(64, 48000.0);
    EXPECT_EQ(ControllerMismatches(rig.plugin), "") << "initialised";
    struct Case
    {
        const char* operation;
        std::function<void(Vst3ProcessRig&)> run;
    };
    const Case cases[] = {
        {"program change in process",
         [](Vst3ProcessRig& r) {
             TestParameterChanges changes;
             changes.Add(IEffectVST3::kProgramParamId, 40.0 / 128.0);
             r.Process(&changes);
         }},
        {"setState",
         [&](Vst3ProcessRig& r) {
             TestStream stream(changed);
             EXPECT_EQ(r.plugin.setState(&stream), Vst3::kResultOk);
         }},
        {"bypass in process",
         [](Vst3ProcessRig& r) {
             TestParameterChanges changes;
             changes.Add(IEffectVST3::kBypassParamId, 0.0);
             r.Process(&changes);
         }},
        {"setComponentState",
         [&](Vst3ProcessRig& r) {
             TestStream stream(changed);
             EXPECT_EQ(r.plugin.setComponentState(&stream), Vst3::kResultOk);
         }},
        {"setupProcessing",
         [](Vst3ProcessRig& r) {
             Vst3::ProcessSetup setup{Vst3::kProcessModeRealtime, Vst3::kSampleSize64, 64, 96000.0};
             EXPECT_EQ(r.plugin.setupProcessing(setup), Vst3::kResultOk);
         }},
        {"linked cutoff in process",
         [](Vst3ProcessRig& r) {
             TestParameterChanges changes;
             changes.Add(kParamBandLink, 1.0).Add(kParamSubBandCutoff, 0.61);
             r.Process(&changes);
         }},
        {"program change through the controller, then in process",
         [](Vst3ProcessRig& r) {
             EXPECT_EQ(r.plugin.setParamNormalized(IEffectVST3::kProgramParamId, 70.0 / 127.0), Vst3::kResultOk);
             TestParameterChanges changes;
             changes.Add(IEffectVST3::kProgramParamId, 70.0 / 127.0);
             r.Process(&changes);
         }},
        {"setParamNormalized and process",
         [](Vst3ProcessRig& r) {
             r.plugin.setParamNormalized(kParamLimiterMode, 1.0);
             r.plugin.setParamNormalized(IEffectVST3::kBypassParamId, 1.0);
             TestParameterChanges changes;
             changes.Add(kParamLimiterMode, 1.0).Add(IEffectVST3::kBypassParamId, 1.0);
             r.Process(&changes);
         }},
    };
    // While the rig plays, a loaded state reaches processing at the quiet point of its fade,
    // within a tenth of a second.
    constexpr int kBlocksPastAProgramFade = 75;
    for (const Case& c : cases)
    {
        c.run(rig);
        for (int block = 0; block < kBlocksPastAProgramFade; ++block)
            rig.Process();
        EXPECT_EQ(ControllerMismatches(rig.plugin), "") << c.operation;
    }
}

// What a validating host checks: bypass switched on through the process queue or the controller
// comes back from the component's state into the component and into the controller, whatever
// setups come between.
TEST(Vst3Binding, BypassPersistsThroughTheState)
{
    for (const bool throughQueue : {true, false})
    {
        Vst3ProcessRig rig(64, 48000.0);
        if (throughQueue)
        {
            TestParameterChanges on;
            on.Add(IEffectVST3::kBypassParamId, 1.0);
            ASSERT_EQ(rig.Process(&on), Vst3::kResultOk);
        }
        else
        {
            ASSERT_EQ(rig.plugin.setParamNormalized(IEffectVST3::kBypassParamId, 1.0), Vst3::kResultOk);
        }
        TestStream saved;
        ASSERT_EQ(rig.plugin.getState(&saved), Vst3::kResultOk);

        Vst3ProcessRig reopened(64, 48000.0);
        TestStream forComponent(saved.bytes);
        ASSERT_EQ(reopened.plugin.setState(&forComponent), Vst3::kResultOk);
        Vst3::ProcessSetup setup{Vst3::kProcessModeRealtime, Vst3::kSampleSize32, 128, 44100.0};
        ASSERT_EQ(reopened.plugin.setupProcessing(setup), Vst3::kResultOk);
        EXPECT_TRUE(reopened.plugin.IsBypassed()) << throughQueue;
        TestStream forController(saved.bytes);
        ASSERT_EQ(reopened.plugin.setComponentState(&forController), Vst3::kResultOk);
        EXPECT_EQ(reopened.plugin.getParamNormalized(IEffectVST3::kBypassParamId), 1.0) << throughQueue;
    }
}

// A load is no edit: the host records no automation, and hears once, from its UI loop, that
// the values changed; the linked band-split cutoffs move with the load.
TEST(Vst3Binding, LoadsTellTheHostOnlyThatTheValuesChanged)
{
    const std::vector<uint8_t> changed = ChangedState();
    struct Case
    {
        const char* load;
        std::function<void(Vst3ProcessRig&)> run;
    };
    const Case cases[] = {
        {"setState",
         [&](Vst3ProcessRig& r) {
             TestStream stream(changed);
             r.plugin.setState(&stream);
         }},
        {"setComponentState",
         [&](Vst3ProcessRig& r) {
             TestStream stream(changed);
             r.plugin.setComponentState(&stream);
         }},
        {"program change",
         [](Vst3ProcessRig& r) {
             TestParameterChanges changes;
             changes.Add(IEffectVST3::kProgramParamId, 90.0 / 128.0);
             r.Process(&changes);
         }},
        {"program change through the controller",
         [](Vst3ProcessRig& r) { r.plugin.setParamNormalized(IEffectVST3::kProgramParamId, 90.0 / 128.0); }},
    };
    for (const Case& c : cases)
    {
        Vst3ProcessRig rig(64, 48000.0);
        RecordingComponentHandler handler;
        rig.plugin.setComponentHandler(&handler);
        c.run(rig);
        EXPECT_TRUE(handler.calls.empty()) << c.load;
        ASSERT_TRUE(handler.AwaitRestart()) << c.load;
        handler.loop.Turn();
        for (const RecordingComponentHandler::Call& call : handler.calls)
            EXPECT_EQ(call.kind, RecordingComponentHandler::Kind::Restart) << c.load;
        ASSERT_EQ(handler.Restarts().size(), 1u) << c.load;
        EXPECT_NE(handler.Restarts()[0] & Vst3::kRestartParamValuesChanged, 0) << c.load;
        rig.plugin.setComponentHandler(nullptr);
    }
}

// A program chosen on the controller while the output is heard, as some hosts choose their
// presets: the host saves it at once, and it sounds as the same change in the queue alone does,
// the old program fading out and the new one taking over at the quiet point.
TEST(Vst3Binding, ProgramChosenThroughTheControllerWhilePlayingIsSavedAndFadesIn)
{
    constexpr int kBlock = 64;
    constexpr int kProgram = 70;
    constexpr double kValue = static_cast<double>(kProgram) / 127.0;
    constexpr int kBlocksBefore = 20;
    constexpr int kBlocksAfter = 75;
    Vst3ProcessRig fresh(kBlock, 48000.0);
    TestParameterChanges select;
    select.Add(IEffectVST3::kProgramParamId, kValue);
    ASSERT_EQ(fresh.Process(&select), Vst3::kResultOk);
    TestStream expected;
    ASSERT_EQ(fresh.plugin.getState(&expected), Vst3::kResultOk);

    std::vector<double> heard[2];
    for (const bool throughController : {false, true})
    {
        Vst3ProcessRig rig(kBlock, 48000.0);
        std::vector<double>& out = heard[throughController ? 1 : 0];
        for (int block = 0; block < kBlocksBefore; ++block)
            rig.Process();
        if (throughController)
        {
            ASSERT_EQ(rig.plugin.setParamNormalized(IEffectVST3::kProgramParamId, kValue), Vst3::kResultOk);
            TestStream saved;
            ASSERT_EQ(rig.plugin.getState(&saved), Vst3::kResultOk);
            EXPECT_EQ(saved.bytes, expected.bytes);
        }
        TestParameterChanges changes;
        changes.Add(IEffectVST3::kProgramParamId, kValue);
        for (int block = 0; block < kBlocksAfter; ++block)
        {
            ASSERT_EQ(rig.Process(block == 0 ? &changes : nullptr), Vst3::kResultOk);
            out.insert(out.end(), rig.Output(0).begin(), rig.Output(0).end());
        }
        EXPECT_EQ(ControllerMismatches(rig.plugin), "") << throughController;
        for (int index = 0; index < kWorkingParamCount; ++index)
            EXPECT_EQ(rig.plugin.CurrentValues().Get(index), fresh.plugin.CurrentValues().Get(index))
                << throughController << ", parameter " << index;
    }
    EXPECT_EQ(heard[1], heard[0]);
}
