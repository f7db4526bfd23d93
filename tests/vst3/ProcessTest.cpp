#include "tests/vst3/HostedEffect.h"
#include "tests/vst3/TestParameterChanges.h"
#include "vst3/abi/ResultCodes.h"
#include "vst3/abi/Vst3Constants.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <limits>
#include <utility>
#include <vector>

namespace
{
constexpr int kFrames = 48;

// What the product's routine makes of the host inputs, in doubles.
std::vector<std::vector<double>> Expected(const HostBus<double>& inputs, int frames, double gain)
{
    std::vector<std::vector<double>> outputs(2, std::vector<double>(static_cast<size_t>(frames)));
    const double* in[] = {inputs.samples[0].data(), inputs.samples[1].data()};
    double* out[] = {outputs[0].data(), outputs[1].data()};
    RecordingProduct::CrossChannels(in, out, frames, gain);
    return outputs;
}

TEST(Process, DoublePrecisionGivesTheBlockRoutinesResult)
{
    HostedEffect effect;
    HostBus<double> inputs = RampBus<double>(kFrames);
    HostBus<double> outputs(2, kFrames);
    ASSERT_EQ(effect.Process(inputs, outputs, kFrames), Vst3::kResultOk);
    EXPECT_EQ(outputs.samples, Expected(inputs, kFrames, 1.0));
    // The block routine worked straight on the host's buffers.
    ASSERT_EQ(effect.Product().blocks.size(), 1u);
    EXPECT_EQ(effect.Product().blocks[0].inputs[0], inputs.samples[0].data());
    EXPECT_EQ(effect.Product().blocks[0].outputs[1], outputs.samples[1].data());
}

TEST(Process, SinglePrecisionIsTheSameWithinFloatPrecision)
{
    HostedEffect effect;
    ASSERT_EQ(effect.Setup(Vst3::kSampleSize32), Vst3::kResultOk);
    TestParameterChanges changes;
    changes.Add(RecordingProduct::kGain, 0.185);
    HostBus<float> inputs = RampBus<float>(kFrames);
    HostBus<float> outputs(2, kFrames);
    ASSERT_EQ(effect.Process(inputs, outputs, kFrames, &changes), Vst3::kResultOk);

    HostBus<double> wide(2, kFrames);
    for (int c = 0; c < 2; ++c)
        for (int i = 0; i < kFrames; ++i)
            wide.samples[c][i] = inputs.samples[c][i];
    const auto expected = Expected(wide, kFrames, 0.37);
    for (int c = 0; c < 2; ++c)
        for (int i = 0; i < kFrames; ++i)
            EXPECT_NEAR(outputs.samples[c][i], expected[c][i], 1e-7 * std::fabs(expected[c][i]) + 1e-12)
                << c << " " << i;
}

TEST(Process, InPlaceBuffersGiveTheSameResult)
{
    HostedEffect effect;
    HostBus<double> shared = RampBus<double>(kFrames);
    const auto expected = Expected(shared, kFrames, 1.0);
    ASSERT_EQ(effect.Process(shared, shared, kFrames), Vst3::kResultOk);
    EXPECT_EQ(shared.samples, expected);
}

// The block routine runs in pieces that end where a point is due, though points take effect no
// sooner than 32 frames after points last did: points at least that far apart act at their own
// frames, denser ones within 31 frames of theirs, the latest of them. Of several points at one
// frame the last counts; a point at or past the block's end holds from the next block on, one
// before its start counts from frame 0.
TEST(Process, EachPointTakesEffectAtThePieceStartingAtOrAfterIt)
{
    constexpr int kShortestPiece = 32;
    struct Point
    {
        int offset;
        double value;
        // Where the point comes into force; -1 for one that a later point overtakes first.
        int heardFrom;
    };
    struct Case
    {
        const char* name;
        std::vector<Point> points;
        int frames;
        std::vector<int> blocks;
    };
    std::vector<Point> everyFrame;
    for (int i = 0; i < kFrames; ++i)
        everyFrame.push_back({i, 0.01 * (i + 1), i == 0 || i == kShortestPiece ? i : -1});
    const int kLong = 2 * HostedEffect::kBlockSize + 22;
    const Case cases[] = {
        {"apart", {{0, 0.1, 0}, {kShortestPiece + 3, 0.6, kShortestPiece + 3}}, kFrames, {kShortestPiece + 3, kFrames - kShortestPiece - 3}},
        {"closer than a piece", {{0, 0.1, 0}, {10, 0.6, -1}, {30, 0.3, -1}, {30, 0.4, kShortestPiece}}, kFrames,
         {kShortestPiece, 16}},
        {"at every frame", everyFrame, kFrames, {kShortestPiece, 16}},
        {"around the block", {{-3, 0.2, 0}, {kFrames, 0.9, kFrames}, {200, 0.7, kFrames}}, kFrames, {kFrames}},
        {"in a long host block", {{70, 0.25, 70}}, kLong, {64, 6, 64, 16}},
    };
    for (const Case& c : cases)
    {
        HostedEffect effect;
        TestParameterChanges changes;
        std::vector<double> gains(static_cast<size_t>(c.frames), 1.0);
        for (const Point& point : c.points)
        {
            changes.Add(RecordingProduct::kGain, point.value, point.offset);
            for (int i = std::max(point.heardFrom, 0); point.heardFrom >= 0 && i < c.frames; ++i)
                gains[static_cast<size_t>(i)] = 2.0 * point.value;
        }
        HostBus<double> inputs = RampBus<double>(c.frames);
        HostBus<double> outputs(2, c.frames);
        ASSERT_EQ(effect.Process(inputs, outputs, c.frames, &changes), Vst3::kResultOk) << c.name;

        std::vector<int> blocks;
        for (const RecordingProduct::Block& block : effect.Product().blocks)
            blocks.push_back(block.frames);
        EXPECT_EQ(blocks, c.blocks) << c.name;
        for (int i = 0; i < c.frames; ++i)
            ASSERT_EQ(outputs.samples[0][i], inputs.samples[1][i] * gains[static_cast<size_t>(i)])
                << c.name << ", frame " << i;
        EXPECT_DOUBLE_EQ(effect.Product().GetParam(RecordingProduct::kGain)->Value(), 2.0 * c.points.back().value)
            << c.name;
    }
}

// Blocks of kFrames until a fade of the host's bypass, started in the block before, has ended.
int BlocksOfBypassFade()
{
    const double frames = IEffectVST3::kBypassFadeSeconds * HostedEffect::kSampleRate;
    return static_cast<int>(std::ceil(frames / kFrames));
}

// The shortest piece counts across blocks: a point at the start of a block that follows one
// near the end of the block before waits until 32 frames have passed since that one.
TEST(Process, PointsWaitForTheShortestPieceAcrossBlocks)
{
    HostedEffect effect;
    HostBus<double> inputs = RampBus<double>(kFrames);
    HostBus<double> outputs(2, kFrames);
    TestParameterChanges late;
    late.Add(RecordingProduct::kGain, 0.25, 40);
    ASSERT_EQ(effect.Process(inputs, outputs, kFrames, &late), Vst3::kResultOk);
    effect.Product().blocks.clear();

    TestParameterChanges early;
    early.Add(RecordingProduct::kGain, 0.75, 0);
    ASSERT_EQ(effect.Process(inputs, outputs, kFrames, &early), Vst3::kResultOk);
    std::vector<int> blocks;
    for (const RecordingProduct::Block& block : effect.Product().blocks)
        blocks.push_back(block.frames);
    EXPECT_EQ(blocks, (std::vector<int>{24, 24}));
    EXPECT_EQ(outputs.samples[0][23], inputs.samples[1][23] * 0.5);
    EXPECT_EQ(outputs.samples[0][24], inputs.samples[1][24] * 1.5);
}

// The queues of several parameters cut the block together: a point that falls within another's
// piece waits for the next piece; bypass too acts at the start of a piece, where the effect
// starts to fade out, and once it has, the inputs pass through.
TEST(Process, QueuesOfSeveralParametersSplitTheBlockTogether)
{
    HostedEffect effect;
    TestParameterChanges changes;
    changes.Add(IEffectVST3::kBypassParamId, 1.0, 32).Add(RecordingProduct::kGain, 0.25, 0);
    changes.Add(RecordingProduct::kMode, 1.0, 10);
    HostBus<double> inputs = RampBus<double>(kFrames);
    HostBus<double> outputs(2, kFrames);
    effect.Product().changedParams.clear();
    ASSERT_EQ(effect.Process(inputs, outputs, kFrames, &changes), Vst3::kResultOk);

    std::vector<int> blocks;
    for (const RecordingProduct::Block& block : effect.Product().blocks)
        blocks.push_back(block.frames);
    // The effect runs on in the bypassed piece while it fades out.
    EXPECT_EQ(blocks, (std::vector<int>{32, 16}));
    EXPECT_EQ(effect.Product().changedParams, (std::vector<int>{RecordingProduct::kGain, RecordingProduct::kMode}));
    EXPECT_TRUE(effect.Product().IsBypassed());
    EXPECT_EQ(outputs.samples[0][31], inputs.samples[1][31] * 0.5);

    for (int block = 0; block < BlocksOfBypassFade(); ++block)
        ASSERT_EQ(effect.Process(inputs, outputs, kFrames), Vst3::kResultOk);
    const size_t effectBlocks = effect.Product().blocks.size();
    ASSERT_EQ(effect.Process(inputs, outputs, kFrames), Vst3::kResultOk);
    EXPECT_EQ(effect.Product().blocks.size(), effectBlocks);
    EXPECT_EQ(outputs.samples, inputs.samples);
}

// A host sends one queue per parameter; queues beyond that many are taken whole, at the start
// of the block, as their last point.
TEST(Process, QueuesBeyondOnePerParameterAreTakenWhole)
{
    HostedEffect effect;
    TestParameterChanges changes;
    constexpr Vst3::ParamID kUnknownIds = 4711;
    for (Vst3::ParamID k = 0; k < 99; ++k)
        changes.Add(kUnknownIds + k, 0.5);
    changes.Add(RecordingProduct::kGain, 0.1, 0).Add(RecordingProduct::kGain, 0.6, 20);
    HostBus<double> inputs = RampBus<double>(kFrames);
    HostBus<double> outputs(2, kFrames);
    ASSERT_EQ(effect.Process(inputs, outputs, kFrames, &changes), Vst3::kResultOk);
    ASSERT_EQ(effect.Product().blocks.size(), 1u);
    EXPECT_EQ(outputs.samples, Expected(inputs, kFrames, 1.2));
}

TEST(Process, HostValuesAreLimitedAndNaNIsIgnored)
{
    const double kNaN = std::numeric_limits<double>::quiet_NaN();
    struct Case
    {
        double value;
        double gain;
        bool changed;
    };
    for (const Case& c : {Case{1.5, 2.0, true}, Case{-0.5, 0.0, true}, Case{kNaN, 1.0, false}})
    {
        HostedEffect effect;
        TestParameterChanges changes;
        changes.Add(RecordingProduct::kGain, c.value);
        HostBus<double> inputs = RampBus<double>(kFrames);
        HostBus<double> outputs(2, kFrames);
        effect.Product().changedParams.clear();
        ASSERT_EQ(effect.Process(inputs, outputs, kFrames, &changes), Vst3::kResultOk);
        EXPECT_EQ(effect.Product().GetParam(RecordingProduct::kGain)->Value(), c.gain) << c.value;
        EXPECT_EQ(effect.Product().changedParams.empty(), !c.changed) << c.value;
    }
}

TEST(Process, UnreadableQueuesAndUnknownIdsChangeNothing)
{
    HostedEffect effect;
    TestParameterChanges changes;
    changes.Add(RecordingProduct::kGain, 0.25).Queue(RecordingProduct::kGain).unreadable = true;
    changes.Queue(RecordingProduct::kMode);
    changes.Add(4711, 0.5).Add(85, 0.5);
    HostBus<double> inputs = RampBus<double>(kFrames);
    HostBus<double> outputs(2, kFrames);
    effect.Product().changedParams.clear();
    ASSERT_EQ(effect.Process(inputs, outputs, kFrames, &changes), Vst3::kResultOk);
    EXPECT_TRUE(effect.Product().changedParams.empty());
    EXPECT_EQ(effect.Product().GetParam(RecordingProduct::kGain)->Value(), 1.0);
}

TEST(Process, BypassSwitchesAtHalfAndPassesInputsThrough)
{
    struct Case
    {
        double value;
        bool bypassed;
    };
    for (const Case& c : {Case{0.0, false}, Case{0.5, false}, Case{0.5000001, true}, Case{1.0, true}})
    {
        HostedEffect effect;
        TestParameterChanges changes;
        changes.Add(IEffectVST3::kBypassParamId, c.value);
        HostBus<double> inputs = RampBus<double>(kFrames);
        HostBus<double> outputs(2, kFrames);
        ASSERT_EQ(effect.Process(inputs, outputs, kFrames, &changes), Vst3::kResultOk);
        EXPECT_EQ(effect.Product().IsBypassed(), c.bypassed) << c.value;
        EXPECT_EQ(effect.Controller()->getParamNormalized(IEffectVST3::kBypassParamId), c.bypassed ? 1.0 : 0.0);
        EXPECT_EQ(effect.Product().blocks.empty(), c.bypassed) << c.value;
        if (c.bypassed)
        {
            EXPECT_EQ(outputs.samples, inputs.samples) << c.value;
        }
    }
}

// With a latency reported, bypass delays every input by exactly that much, across blocks;
// an effect block before the switch feeds the delay as well, and so do the blocks in which the
// effect fades out.
TEST(Process, BypassDelaysTheInputsByTheLatency)
{
    const int fadeBlocks = BlocksOfBypassFade();
    const int kBlocks = fadeBlocks + 4;
    // The last one outlasts the fade: its output starts with silence.
    for (const int latency : {0, 5, kFrames, 3 * kFrames + 7, (fadeBlocks + 2) * kFrames + 7})
    {
        HostedEffect effect(false);
        effect.Product().SetLatency(latency);
        ASSERT_EQ(effect.Setup(Vst3::kSampleSize64), Vst3::kResultOk);
        std::vector<std::vector<double>> played(2), heard(2);
        for (int block = 0; block < kBlocks; ++block)
        {
            HostBus<double> inputs(2, kFrames);
            for (int c = 0; c < 2; ++c)
                for (int i = 0; i < kFrames; ++i)
                    inputs.samples[c][i] = (c + 1) * 1000.0 + block * kFrames + i;
            HostBus<double> outputs(2, kFrames);
            TestParameterChanges changes;
            changes.Add(IEffectVST3::kBypassParamId, block == 0 ? 0.0 : 1.0);
            ASSERT_EQ(effect.Process(inputs, outputs, kFrames, &changes), Vst3::kResultOk);
            for (int c = 0; c < 2; ++c)
            {
                played[c].insert(played[c].end(), inputs.samples[c].begin(), inputs.samples[c].end());
                heard[c].insert(heard[c].end(), outputs.samples[c].begin(), outputs.samples[c].end());
            }
        }
        for (int c = 0; c < 2; ++c)
            for (int i = (1 + fadeBlocks) * kFrames; i < kBlocks * kFrames; ++i)
                ASSERT_EQ(heard[c][i], i < latency ? 0.0 : played[c][i - latency])
                    << "latency " << latency << ", channel " << c << ", frame " << i;
    }
}

TEST(Process, ProgramChangeSelectsPresetByValueTimesCount)
{
    struct Case
    {
        double value;
        int preset;
    };
    // Some hosts send k / (count - 1), which reaches 1.0 at the last preset.
    for (const Case& c : {Case{0.0, 0}, Case{1.0 / 128, 1}, Case{127.0 / 128, 127}, Case{126.0 / 127, 126},
                          Case{1.0, 127}})
    {
        HostedEffect effect;
        ASSERT_TRUE(effect.Product().SelectPreset(9));
        TestParameterChanges changes;
        changes.Add(IEffectVST3::kProgramParamId, c.value);
        HostBus<double> inputs = RampBus<double>(kFrames);
        HostBus<double> outputs(2, kFrames);
        ASSERT_EQ(effect.Process(inputs, outputs, kFrames, &changes), Vst3::kResultOk);
        EXPECT_EQ(effect.Product().GetCurrentPreset(), c.preset) << c.value;
        EXPECT_DOUBLE_EQ(effect.Product().GetParam(RecordingProduct::kGain)->Value(),
                         RecordingProduct::PresetGain(c.preset))
            << c.value;
    }
}

TEST(Process, LongHostBlocksRunInSlicesOfTheAnnouncedSize)
{
    HostedEffect effect;
    constexpr int kLong = 2 * HostedEffect::kBlockSize + 22;
    for (int sampleSize : {Vst3::kSampleSize64, Vst3::kSampleSize32})
    {
        effect.Setup(sampleSize);
        effect.Product().blocks.clear();
        if (sampleSize == Vst3::kSampleSize64)
        {
            HostBus<double> inputs = RampBus<double>(kLong);
            HostBus<double> outputs(2, kLong);
            ASSERT_EQ(effect.Process(inputs, outputs, kLong), Vst3::kResultOk);
            EXPECT_EQ(outputs.samples, Expected(inputs, kLong, 1.0));
        }
        else
        {
            HostBus<float> inputs = RampBus<float>(kLong);
            HostBus<float> outputs(2, kLong);
            ASSERT_EQ(effect.Process(inputs, outputs, kLong), Vst3::kResultOk);
            EXPECT_EQ(outputs.samples[0].back(), inputs.samples[1].back());
            EXPECT_EQ(outputs.samples[1].front(), inputs.samples[0].front());
        }
        ASSERT_EQ(effect.Product().blocks.size(), 3u);
        EXPECT_EQ(effect.Product().blocks[0].frames, HostedEffect::kBlockSize);
        EXPECT_EQ(effect.Product().blocks[2].frames, 22);
    }
}

TEST(Process, BeforeSetupTheOutputIsSilent)
{
    HostedEffect effect(false);
    HostBus<double> inputs = RampBus<double>(kFrames);
    HostBus<double> outputs(2, kFrames, 0.7);
    TestParameterChanges changes;
    changes.Add(RecordingProduct::kGain, 0.25);
    ASSERT_EQ(effect.Process(inputs, outputs, kFrames, &changes), Vst3::kResultOk);
    EXPECT_EQ(outputs.samples, HostBus<double>(2, kFrames).samples);
    EXPECT_TRUE(effect.Product().blocks.empty());
    EXPECT_EQ(effect.Product().GetParam(RecordingProduct::kGain)->Value(), 0.5);
}

TEST(Process, MissingChannelsReadSilenceAndAreNotWritten)
{
    HostedEffect effect;
    // A first block leaves audio in the scratch buffers, which a missing channel must not replay.
    HostBus<float> first = RampBus<float>(kFrames);
    HostBus<float> firstOut(2, kFrames);
    effect.Setup(Vst3::kSampleSize32);
    effect.Process(first, firstOut, kFrames);

    HostBus<float> inputs = RampBus<float>(kFrames);
    HostBus<float> outputs(2, kFrames, 0.7f);
    inputs.pointers[1] = nullptr;
    outputs.pointers[1] = nullptr;
    ASSERT_EQ(effect.Process(inputs, outputs, kFrames), Vst3::kResultOk);
    // Left out = right in, which the host did not give.
    EXPECT_EQ(outputs.samples[0], std::vector<float>(kFrames, 0.0f));
    EXPECT_EQ(outputs.samples[1], std::vector<float>(kFrames, 0.7f));
    EXPECT_FALSE(effect.Product().GetInChannel(1)->connected);
    EXPECT_FALSE(effect.Product().GetOutChannel(1)->connected);
}

TEST(Process, HostOutputsTheEffectDoesNotFeedAreSilenced)
{
    struct Case
    {
        const char* name;
        bool busActive;
        int hostChannels;
    };
    for (const Case& c : {Case{"inactive bus", false, 2}, Case{"third channel", true, 3}})
    {
        HostedEffect effect;
        effect.Component()->activateBus(Vst3::kMediaTypeAudio, Vst3::kDirectionOutput, 0, c.busActive);
        HostBus<double> inputs = RampBus<double>(kFrames);
        HostBus<double> outputs(c.hostChannels, kFrames, 0.7);
        outputs.record.silenceFlags = 7;
        ASSERT_EQ(effect.Process(inputs, outputs, kFrames), Vst3::kResultOk) << c.name;
        EXPECT_EQ(outputs.record.silenceFlags, 0u) << c.name;
        EXPECT_EQ(outputs.samples.back(), std::vector<double>(kFrames, 0.0)) << c.name;
    }
}

TEST(Process, ZeroFramesStillApplyChangesAndRunTheBlockRoutine)
{
    HostedEffect effect;
    TestParameterChanges changes;
    changes.Add(RecordingProduct::kGain, 0.25);
    HostBus<double> inputs(2, 0);
    HostBus<double> outputs(2, 0);
    ASSERT_EQ(effect.Process(inputs, outputs, 0, &changes), Vst3::kResultOk);
    EXPECT_EQ(effect.Product().GetParam(RecordingProduct::kGain)->Value(), 0.5);
    ASSERT_EQ(effect.Product().blocks.size(), 1u);
    EXPECT_EQ(effect.Product().blocks[0].frames, 0);
}

TEST(Process, CallsWithoutBusesOrWithAnUnknownSampleSize)
{
    HostedEffect effect;
    Vst3::ProcessData data{};
    data.symbolicSampleSize = Vst3::kSampleSize64;
    data.numSamples = kFrames;
    data.numInputs = 3;
    data.numOutputs = 2;
    EXPECT_EQ(effect.Process(data), Vst3::kResultOk);

    HostBus<double> inputs = RampBus<double>(kFrames);
    HostBus<double> outputs(2, kFrames, 0.7);
    data.symbolicSampleSize = 2;
    data.numInputs = 1;
    data.numOutputs = 1;
    data.inputs = &inputs.record;
    data.outputs = &outputs.record;
    EXPECT_EQ(effect.Process(data), Vst3::kInvalidArgument);
    EXPECT_EQ(outputs.samples, HostBus<double>(2, kFrames, 0.7).samples);
}

TEST(Process, ProcessContextAnswersTheTimeQueries)
{
    HostedEffect effect;
    Vst3::ProcessContext context{};
    context.state = Vst3::kContextPlaying | Vst3::kContextCycleActive;
    context.projectTimeSamples = 96000;
    context.projectTimeMusic = 4.0;
    context.barPositionMusic = 3.0;
    context.cycleStartMusic = 2.0;
    context.cycleEndMusic = 6.0;
    context.tempo = 133.0;
    context.timeSigNumerator = 3;
    context.timeSigDenominator = 4;
    Vst3::ProcessData data{};
    data.symbolicSampleSize = Vst3::kSampleSize64;
    data.processContext = &context;
    ASSERT_EQ(effect.Process(data), Vst3::kResultOk);

    RecordingProduct& product = effect.Product();
    EXPECT_EQ(product.GetTempo(), 133.0);
    EXPECT_EQ(product.GetSamplePos(), 96000);
    int numerator = 0;
    int denominator = 0;
    product.GetTimeSig(&numerator, &denominator);
    EXPECT_EQ(numerator, 3);
    EXPECT_EQ(denominator, 4);
    HostTimeInfo info;
    product.GetTimeInfo(&info);
    EXPECT_EQ(info.samplePos, 96000.0);
    EXPECT_EQ(info.ppqPos, 4.0);
    EXPECT_EQ(info.lastBar, 3.0);
    EXPECT_EQ(info.cycleStart, 2.0);
    EXPECT_EQ(info.cycleEnd, 6.0);
    EXPECT_TRUE(info.playing);
    EXPECT_TRUE(info.looping);

    context.projectTimeSamples = int64_t{1} << 40;
    effect.Process(data);
    EXPECT_EQ(product.GetSamplePos(), std::numeric_limits<int>::max());
}

TEST(Setup, TakesRateAndBlockSizeAndKeepsBypass)
{
    HostedEffect effect;
    TestParameterChanges changes;
    changes.Add(IEffectVST3::kBypassParamId, 1.0);
    HostBus<double> inputs(2, 1);
    HostBus<double> outputs(2, 1);
    effect.Process(inputs, outputs, 1, &changes);
    ASSERT_TRUE(effect.Product().IsBypassed());
    const int resets = effect.Product().resetCount;

    Vst3::ProcessSetup setup{Vst3::kProcessModeOffline, Vst3::kSampleSize32, 256, 96000.0};
    ASSERT_EQ(effect.Processor()->setupProcessing(setup), Vst3::kResultOk);
    EXPECT_EQ(effect.Product().GetSampleRate(), 96000.0);
    EXPECT_EQ(effect.Product().GetBlockSize(), 256);
    EXPECT_TRUE(effect.Product().IsBypassed());
    EXPECT_EQ(effect.Product().resetCount, resets + 1);
    EXPECT_TRUE(effect.Product().IsRenderingOffline());
}

TEST(Setup, RefusesWhatCannotBeProcessed)
{
    const double kNaN = std::numeric_limits<double>::quiet_NaN();
    struct Case
    {
        const char* name;
        Vst3::ProcessSetup setup;
    };
    const Case cases[] = {
        {"sample size 2", {Vst3::kProcessModeRealtime, 2, 256, 44100.0}},
        {"rate 0", {Vst3::kProcessModeRealtime, Vst3::kSampleSize64, 256, 0.0}},
        {"rate NaN", {Vst3::kProcessModeRealtime, Vst3::kSampleSize64, 256, kNaN}},
        {"negative block", {Vst3::kProcessModeRealtime, Vst3::kSampleSize64, -1, 44100.0}},
    };
    for (Case c : cases)
    {
        HostedEffect effect;
        const int resets = effect.Product().resetCount;
        EXPECT_EQ(effect.Processor()->setupProcessing(c.setup), Vst3::kResultFalse) << c.name;
        EXPECT_EQ(effect.Product().GetSampleRate(), HostedEffect::kSampleRate) << c.name;
        EXPECT_EQ(effect.Product().GetBlockSize(), HostedEffect::kBlockSize) << c.name;
        EXPECT_EQ(effect.Product().resetCount, resets) << c.name;
    }
}
}
