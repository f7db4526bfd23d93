// Project save and load on a host's UI thread beside processing and automation on its audio
// thread, through the VST2 entries. The program is also built under ThreadSanitizer, which
// reports any access the two threads share unguarded.
#include "framework/vst2/Vst2Constants.h"
#include "plugin/ParamIndex.h"
#include "tests/plugin/PluginRig.h"
#include "tests/support/TestThread.h"

#include <gtest/gtest.h>

#include <array>
#include <atomic>
#include <functional>
#include <vector>

extern "C" AEffect* VSTPluginMain(audioMasterCallback host);

namespace
{
constexpr int kStateRounds = 3;
constexpr VstInt32 kBankChunk = 0;
constexpr VstInt32 kProgramChunk = 1;

std::vector<uint8_t> GetChunk(AEffect* effect, VstInt32 index)
{
    void* data = nullptr;
    const VstIntPtr size = effect->dispatcher(effect, effGetChunk, index, 0, &data, 0.0f);
    const auto* bytes = static_cast<const uint8_t*>(data);
    return std::vector<uint8_t>(bytes, bytes + (size > 0 ? size : 0));
}

// Blocks of a steady input through the double entry while `playing` holds, `beforeBlock` run
// with each block's number first; as a host's audio thread plays.
void PlayWhile(AEffect* effect, const std::atomic<bool>& playing, const std::function<void(int)>& beforeBlock)
{
    std::vector<double> left(PluginRig::kBlock, 0.25), right(PluginRig::kBlock, -0.25);
    std::vector<double> outLeft(PluginRig::kBlock), outRight(PluginRig::kBlock);
    double* inputs[2] = {left.data(), right.data()};
    double* outputs[2] = {outLeft.data(), outRight.data()};
    for (int block = 0; playing.load(); ++block)
    {
        beforeBlock(block);
        effect->processDoubleReplacing(effect, inputs, outputs, PluginRig::kBlock);
    }
}

TEST(Vst2Threads, ChunkCallsBesideProcessingAndAutomationLoadWhatWasSaved)
{
    PluginRig rig;
    AEffect* effect = rig.plugin.GetEffect();
    std::atomic<bool> playing{true};
    TestThread audio(
        "the audio thread",
        [&] {
            PlayWhile(effect, playing, [&](int block) {
                effect->setParameter(effect, kParamDistortionAmount, static_cast<float>(block % 10) / 10.0f);
            });
        },
        [&] { playing.store(false); });

    for (int round = 0; round < kStateRounds; ++round)
    {
        for (VstInt32 index : {kBankChunk, kProgramChunk})
        {
            std::vector<uint8_t> saved = GetChunk(effect, index);
            ASSERT_FALSE(saved.empty());
            EXPECT_EQ(effect->dispatcher(effect, effSetChunk, index, static_cast<VstIntPtr>(saved.size()),
                                         saved.data(), 0.0f),
                      1);
        }
    }
    audio.Join();
}

// What a host heard of the linked partner, from whichever thread told it.
std::atomic<int> gPartnerTold{0};
std::atomic<float> gPartnerValue{-1.0f};

VstIntPtr RecordPartner(AEffect*, VstInt32 opcode, VstInt32 index, VstIntPtr, void*, float opt)
{
    if (opcode == audioMasterAutomate && index == kParamDistoBandCutoff)
    {
        gPartnerValue.store(opt);
        gPartnerTold.fetch_add(1);
    }
    return 0;
}

// A linked cutoff moved on the UI thread beside processing: the partner's moves reach the host
// from the audio thread's blocks and the UI thread's idle calls, each at most once, and the
// last of them with the last value.
TEST(Vst2Threads, LinkedCutoffMovesBesideProcessingReachTheHost)
{
    constexpr int kMoves = 200;
    PluginRig rig(PluginRig::kBlock, &RecordPartner);
    AEffect* effect = rig.plugin.GetEffect();
    rig.Set(kParamBandLink, 1.0);
    rig.Dispatch(effEditIdle);
    gPartnerTold.store(0);
    std::atomic<bool> playing{true};
    TestThread audio(
        "the audio thread",
        [&] { PlayWhile(effect, playing, [](int) {}); },
        [&] { playing.store(false); });

    float last = 0.0f;
    for (int move = 1; move <= kMoves; ++move)
    {
        last = static_cast<float>(move) / (kMoves + 1);
        effect->setParameter(effect, kParamSubBandCutoff, last);
        if (move % 2 == 0)
            rig.Dispatch(effEditIdle);
    }
    audio.Join();
    rig.Dispatch(effEditIdle);
    EXPECT_GE(gPartnerTold.load(), 1);
    EXPECT_LE(gPartnerTold.load(), kMoves);
    EXPECT_EQ(gPartnerValue.load(), last);
}

// Two hosts' threads create an instance each at the same time and play through it: the
// instances read the same built-in curves, and play the same.
TEST(Vst2Threads, InstancesCreatedAndPlayedOnTwoThreadsAtOnce)
{
    constexpr int kBlocks = 20;
    const auto play = [](std::vector<double>& heard) {
        AEffect* effect = VSTPluginMain(nullptr);
        ASSERT_NE(effect, nullptr);
        effect->dispatcher(effect, effOpen, 0, 0, nullptr, 0.0f);
        effect->dispatcher(effect, effSetSampleRate, 0, 0, nullptr, 44100.0f);
        effect->dispatcher(effect, effSetBlockSize, 0, PluginRig::kBlock, nullptr, 0.0f);
        effect->dispatcher(effect, effMainsChanged, 0, 1, nullptr, 0.0f);
        effect->setParameter(effect, kParamDistortionType, 62.0f / 80.0f);
        effect->setParameter(effect, kParamDistortionAmount, 0.9f);
        effect->setParameter(effect, kParamPreFilterProcess, 1.0f);
        std::vector<double> left(PluginRig::kBlock, 0.5), right(PluginRig::kBlock, -0.5);
        std::vector<double> outLeft(PluginRig::kBlock), outRight(PluginRig::kBlock);
        double* inputs[2] = {left.data(), right.data()};
        double* outputs[2] = {outLeft.data(), outRight.data()};
        for (int block = 0; block < kBlocks; ++block)
        {
            effect->processDoubleReplacing(effect, inputs, outputs, PluginRig::kBlock);
            heard.insert(heard.end(), outLeft.begin(), outLeft.end());
        }
        effect->dispatcher(effect, effClose, 0, 0, nullptr, 0.0f);
    };
    ThreadSignal start;
    std::array<std::vector<double>, 2> heard;
    TestThread first("the first host thread", [&] {
        ASSERT_TRUE(start.Wait("the start of both threads"));
        play(heard[0]);
    });
    TestThread second("the second host thread", [&] {
        ASSERT_TRUE(start.Wait("the start of both threads"));
        play(heard[1]);
    });
    start.Raise();
    first.Join();
    second.Join();
    ASSERT_EQ(heard[0].size(), static_cast<size_t>(kBlocks * PluginRig::kBlock));
    EXPECT_EQ(heard[0], heard[1]);
}
}
