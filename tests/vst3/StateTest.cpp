#include "tests/vst3/HostedEffect.h"
#include "tests/vst3/TestParameterChanges.h"
#include "tests/vst3/TestStream.h"
#include "vst3/abi/ResultCodes.h"

#include <gtest/gtest.h>

#include <cstring>
#include <vector>

namespace
{
// The marker, 85 parameter values, then the bypass flag.
constexpr size_t kBlockSize = 4 + 85 * 8;
constexpr size_t kStreamSize = kBlockSize + 4;

void Bypass(HostedEffect& effect, double value)
{
    TestParameterChanges changes;
    changes.Add(IEffectVST3::kBypassParamId, value);
    HostBus<double> inputs(2, 1);
    HostBus<double> outputs(2, 1);
    effect.Process(inputs, outputs, 1, &changes);
}

std::vector<uint8_t> StateOf(HostedEffect& effect, bool fromController, Vst3::int32 chunk = TestStream::kUnlimited)
{
    TestStream stream({}, chunk);
    const Vst3::tresult result =
        fromController ? effect.Controller()->getState(&stream) : effect.Component()->getState(&stream);
    EXPECT_EQ(result, Vst3::kResultOk);
    return stream.bytes;
}

TEST(State, StreamIsTheStateBlockThenTheBypassFlag)
{
    HostedEffect effect;
    effect.Product().GetParam(RecordingProduct::kGain)->SetPlain(1.5);
    Bypass(effect, 1.0);
    const std::vector<uint8_t> state = StateOf(effect, false);
    ASSERT_EQ(state.size(), kStreamSize);
    StateChunk block;
    effect.Product().SerializeState(block);
    EXPECT_EQ(std::memcmp(state.data(), block.Data(), kBlockSize), 0);
    EXPECT_EQ(std::vector<uint8_t>(state.end() - 4, state.end()), (std::vector<uint8_t>{1, 0, 0, 0}));
}

TEST(State, ComponentAndControllerShareOneState)
{
    HostedEffect effect;
    effect.Product().GetParam(RecordingProduct::kCurve)->SetPlain(60.0);
    EXPECT_EQ(StateOf(effect, false), StateOf(effect, true));

    // What a host saved from the component restores through the controller, and back.
    HostedEffect other;
    TestStream stream(StateOf(effect, false));
    ASSERT_EQ(other.Controller()->setState(&stream), Vst3::kResultOk);
    EXPECT_EQ(other.Product().GetParam(RecordingProduct::kCurve)->Value(), 60.0);
    TestStream back(StateOf(other, true));
    ASSERT_EQ(effect.Component()->setState(&back), Vst3::kResultOk);
}

TEST(State, RoundTripRestoresEveryValueAndTheBypassFlag)
{
    HostedEffect source;
    for (int i = 0; i < 84; ++i)
        source.Product().GetParam(i)->SetNormalized(i / 100.0);
    Bypass(source, 1.0);
    // A stream that moves a few bytes per call, as some hosts' streams do.
    TestStream stream(StateOf(source, false, 7), 7);

    HostedEffect target;
    target.Product().changedParams.clear();
    ASSERT_EQ(target.Component()->setState(&stream), Vst3::kResultOk);
    for (int i = 0; i < 84; ++i)
        EXPECT_EQ(target.Product().GetParam(i)->Value(), source.Product().GetParam(i)->Value()) << i;
    EXPECT_TRUE(target.Product().IsBypassed());
    EXPECT_EQ(target.Product().changedParams.size(), 85u);
    EXPECT_EQ(StateOf(target, false), StateOf(source, false));
}

// A host may set the program parameter on the controller and save at once, before any block
// runs; the saved state is that program's, and reopening it keeps it even though the host's
// process queue then brings the same program change again.
TEST(State, ProgramChosenThroughTheControllerIsSavedWithoutAnyProcessCall)
{
    struct Case
    {
        const char* name;
        double value;
        int preset;
    };
    const Case cases[] = {
        {"k / count", 17.0 / 128, 17},
        {"k / (count - 1)", 70.0 / 127, 70},
        {"the last", 1.0, 127},
    };
    for (const Case& c : cases)
    {
        HostedEffect source;
        ASSERT_EQ(source.Controller()->setParamNormalized(IEffectVST3::kProgramParamId, c.value), Vst3::kResultOk)
            << c.name;
        TestStream stream(StateOf(source, false));

        HostedEffect reopened;
        ASSERT_EQ(reopened.Component()->setState(&stream), Vst3::kResultOk) << c.name;
        EXPECT_EQ(reopened.Product().GetParam(RecordingProduct::kGain)->Value(), RecordingProduct::PresetGain(c.preset))
            << c.name;
    }
}

// What a host does for one program change: it tells the controller and sends the same value
// in the next block's queue. The preset loads once; an edit made in that block stays.
TEST(State, ProgramChangeOfTheControllerLoadsOnceWhenTheQueueBringsItToo)
{
    HostedEffect effect;
    const int loadsBefore = effect.Product().presetChanges;
    ASSERT_EQ(effect.Controller()->setParamNormalized(IEffectVST3::kProgramParamId, 40.0 / 128), Vst3::kResultOk);
    EXPECT_EQ(effect.Product().presetChanges, loadsBefore + 1);
    EXPECT_EQ(effect.Product().GetParam(RecordingProduct::kGain)->Value(), RecordingProduct::PresetGain(40));

    TestParameterChanges changes;
    changes.Add(RecordingProduct::kGain, 0.25).Add(IEffectVST3::kProgramParamId, 40.0 / 128);
    HostBus<double> inputs(2, 1);
    HostBus<double> outputs(2, 1);
    ASSERT_EQ(effect.Process(inputs, outputs, 1, &changes), Vst3::kResultOk);
    EXPECT_EQ(effect.Product().presetChanges, loadsBefore + 1);
    EXPECT_EQ(effect.Product().GetParam(RecordingProduct::kGain)->Value(), 0.5);

    // A later change through the queue alone is made, the same program included.
    TestParameterChanges again;
    again.Add(IEffectVST3::kProgramParamId, 40.0 / 128);
    ASSERT_EQ(effect.Process(inputs, outputs, 1, &again), Vst3::kResultOk);
    EXPECT_EQ(effect.Product().presetChanges, loadsBefore + 2);
    EXPECT_EQ(effect.Product().GetParam(RecordingProduct::kGain)->Value(), RecordingProduct::PresetGain(40));
}

// A host that never sends the controller's program change into a queue: what marks that
// change lapses after the next block, so the same program chosen through the queue later is
// made, over the edits since.
TEST(State, ProgramChangeOfTheControllerThatNoQueueBringsSkipsNoLaterOne)
{
    HostedEffect effect;
    ASSERT_EQ(effect.Controller()->setParamNormalized(IEffectVST3::kProgramParamId, 40.0 / 128), Vst3::kResultOk);
    const int loads = effect.Product().presetChanges;
    HostBus<double> inputs(2, 1);
    HostBus<double> outputs(2, 1);
    TestParameterChanges edit;
    edit.Add(RecordingProduct::kGain, 0.25);
    ASSERT_EQ(effect.Process(inputs, outputs, 1, &edit), Vst3::kResultOk);
    ASSERT_EQ(effect.Process(inputs, outputs, 1), Vst3::kResultOk);
    EXPECT_EQ(effect.Product().GetParam(RecordingProduct::kGain)->Value(), 0.5);

    TestParameterChanges later;
    later.Add(IEffectVST3::kProgramParamId, 40.0 / 128);
    ASSERT_EQ(effect.Process(inputs, outputs, 1, &later), Vst3::kResultOk);
    EXPECT_EQ(effect.Product().presetChanges, loads + 1);
    EXPECT_EQ(effect.Product().GetParam(RecordingProduct::kGain)->Value(), RecordingProduct::PresetGain(40));
}

// A state loaded after the controller's program change is what the component holds: the
// program change that the queue brings later is the host's new request and is made.
TEST(State, LoadedStateEndsTheControllersProgramChange)
{
    HostedEffect saved;
    saved.Product().GetParam(RecordingProduct::kGain)->SetPlain(0.5);
    TestStream stream(StateOf(saved, false));

    HostedEffect effect;
    ASSERT_EQ(effect.Controller()->setParamNormalized(IEffectVST3::kProgramParamId, 40.0 / 128), Vst3::kResultOk);
    ASSERT_EQ(effect.Component()->setState(&stream), Vst3::kResultOk);
    EXPECT_EQ(effect.Product().GetParam(RecordingProduct::kGain)->Value(), 0.5);
    TestParameterChanges changes;
    changes.Add(IEffectVST3::kProgramParamId, 40.0 / 128);
    HostBus<double> inputs(2, 1);
    HostBus<double> outputs(2, 1);
    ASSERT_EQ(effect.Process(inputs, outputs, 1, &changes), Vst3::kResultOk);
    EXPECT_EQ(effect.Product().GetParam(RecordingProduct::kGain)->Value(), RecordingProduct::PresetGain(40));
}

TEST(State, RefusedStreamsChangeNothing)
{
    HostedEffect source;
    source.Product().GetParam(RecordingProduct::kGain)->SetPlain(0.25);
    Bypass(source, 1.0);
    const std::vector<uint8_t> good = StateOf(source, false);
    std::vector<uint8_t> foreign = good;
    foreign[0] ^= 0xFF;

    struct Case
    {
        const char* name;
        std::vector<uint8_t> bytes;
    };
    const Case cases[] = {
        {"empty", {}},
        {"block one byte short", std::vector<uint8_t>(good.begin(), good.begin() + kBlockSize - 1)},
        {"without bypass flag", std::vector<uint8_t>(good.begin(), good.begin() + kBlockSize)},
        {"flag one byte short", std::vector<uint8_t>(good.begin(), good.end() - 1)},
        {"foreign marker", foreign},
    };
    for (const Case& c : cases)
    {
        HostedEffect target;
        target.Product().changedParams.clear();
        TestStream stream(c.bytes);
        EXPECT_EQ(target.Component()->setState(&stream), Vst3::kResultFalse) << c.name;
        EXPECT_EQ(target.Product().GetParam(RecordingProduct::kGain)->Value(), 1.0) << c.name;
        EXPECT_FALSE(target.Product().IsBypassed()) << c.name;
        EXPECT_TRUE(target.Product().changedParams.empty()) << c.name;
    }
}

TEST(State, LongerStreamReadsOnlyItsOwnBytes)
{
    HostedEffect source;
    std::vector<uint8_t> bytes = StateOf(source, false);
    bytes.push_back(0x55);
    HostedEffect target;
    TestStream stream(bytes);
    EXPECT_EQ(target.Component()->setState(&stream), Vst3::kResultOk);
    EXPECT_EQ(stream.position, kStreamSize);
}

TEST(State, WriteFailuresAreReported)
{
    for (size_t budget : {size_t{0}, kBlockSize / 2, kBlockSize, kStreamSize - 1})
    {
        HostedEffect effect;
        TestStream stream;
        stream.writeBudget = budget;
        EXPECT_EQ(effect.Component()->getState(&stream), Vst3::kResultFalse) << budget;
    }
}

TEST(State, NullStreamIsAnInvalidArgument)
{
    HostedEffect effect;
    EXPECT_EQ(effect.Component()->getState(nullptr), Vst3::kInvalidArgument);
    EXPECT_EQ(effect.Controller()->setState(nullptr), Vst3::kInvalidArgument);
}
}
