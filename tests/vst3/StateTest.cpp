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
