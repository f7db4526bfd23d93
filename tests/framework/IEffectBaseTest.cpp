#include "framework/IEffectBase.h"

#include "tests/framework/LockProbe.h"
#include "tests/graphics_support/RecordingGraphics.h"
#include "tests/framework/TestEffect.h"

#include <gtest/gtest.h>

#include <vector>

namespace
{
TEST(IEffectBase, ConstructsTheProductConfiguration)
{
    TestEffect effect;
    EXPECT_EQ(effect.GetParamCount(), 85);
    EXPECT_EQ(effect.GetPresetCount(), 128);
    for (int i = 0; i < effect.GetPresetCount(); ++i)
    {
        EXPECT_STREQ(effect.GetPreset(i)->name, "empty");
        EXPECT_FALSE(effect.GetPreset(i)->initialised);
        EXPECT_EQ(effect.GetPreset(i)->state.Size(), 0);
    }
    EXPECT_EQ(effect.GetCurrentPreset(), 0);
    EXPECT_EQ(effect.GetSampleRate(), 44100.0);
    EXPECT_EQ(effect.GetBlockSize(), 0);
    EXPECT_EQ(effect.GetHostId(), -1);
    EXPECT_EQ(effect.GetPluginApi(), IEffectBase::kPluginApiVst2);
    EXPECT_EQ(effect.GetGraphics(), nullptr);
}

TEST(IEffectBase, ChannelTextGivesTwoChannelsEachWayWithTheirOwnSlots)
{
    TestEffect effect;
    ASSERT_EQ(effect.GetInChannelCount(), 2);
    ASSERT_EQ(effect.GetOutChannelCount(), 2);
    EXPECT_NE(effect.GetInChannel(0)->source, effect.GetInChannel(1)->source);
    EXPECT_EQ(effect.GetInChannel(1)->source, effect.GetInChannel(0)->source + 1);
    EXPECT_EQ(effect.GetOutChannel(1)->destination, effect.GetOutChannel(0)->destination + 1);
    EXPECT_FALSE(effect.GetInChannel(0)->connected);
}

TEST(IEffectBase, LegalIOMatchesTheListedPairs)
{
    TestEffect effect;
    const struct
    {
        int inputs;
        int outputs;
        bool legal;
    } cases[] = {{1, 1, true}, {2, 2, true}, {1, -1, true}, {-1, 2, true}, {-1, -1, true},
                 {1, 2, false}, {2, 1, false}, {3, -1, false}, {0, 0, false}};
    for (const auto& c : cases)
        EXPECT_EQ(effect.LegalIO(c.inputs, c.outputs), c.legal) << c.inputs << "-" << c.outputs;
}

TEST(IEffectBase, SetBlockSizeResizesAndZeroesOnlyOnChange)
{
    TestEffect effect;
    effect.SetBlockSize(64);
    ASSERT_EQ(effect.GetBlockSize(), 64);
    InChannel* input = effect.GetInChannel(1);
    OutChannel* output = effect.GetOutChannel(0);
    ASSERT_EQ(input->scratch.Size(), 64 * 8);
    input->Scratch()[5] = 1.0;
    output->Scratch()[63] = 2.0;

    effect.SetBlockSize(64);
    EXPECT_EQ(input->Scratch()[5], 1.0);
    EXPECT_EQ(output->Scratch()[63], 2.0);

    effect.SetBlockSize(32);
    EXPECT_EQ(effect.GetBlockSize(), 32);
    EXPECT_EQ(output->scratch.Size(), 32 * 8);
    EXPECT_EQ(input->Scratch()[5], 0.0);
}

TEST(IEffectBase, SetBlockSizeKeepsDisconnectedChannelsOnTheirScratch)
{
    TestEffect effect;
    effect.SetBlockSize(16);
    for (int size : {100000, 8})
    {
        effect.SetBlockSize(size);
        for (int i = 0; i < 2; ++i)
        {
            EXPECT_EQ(*effect.GetInChannel(i)->source, effect.GetInChannel(i)->Scratch());
            EXPECT_EQ(*effect.GetOutChannel(i)->destination, effect.GetOutChannel(i)->Scratch());
        }
    }
}

TEST(IEffectBase, BlockSizeTheScratchCannotHoldIsRefused)
{
    TestEffect effect;
    effect.SetBlockSize(256);
    for (int frames : {0x7FFFFFFF, 0x10000000, -1})
    {
        effect.SetBlockSize(frames);
        EXPECT_EQ(effect.GetBlockSize(), 256) << frames;
        EXPECT_GE(effect.GetInChannel(0)->scratch.Size(), 256 * 8);
    }
}

TEST(IEffectBase, DefaultProcessBlockCopiesInputsAndSilencesMissingOnes)
{
    TestEffect effect;
    double left[3] = {1, 2, 3};
    double outLeft[3] = {9, 9, 9};
    double outRight[3] = {9, 9, 9};
    double* inputs[] = {left, nullptr};
    double* outputs[] = {outLeft, outRight};
    effect.ProcessBlock(inputs, outputs, 3);
    EXPECT_EQ(std::vector<double>(outLeft, outLeft + 3), (std::vector<double>{1, 2, 3}));
    EXPECT_EQ(std::vector<double>(outRight, outRight + 3), (std::vector<double>{0, 0, 0}));

    double* inPlace[] = {outLeft, outRight};
    effect.ProcessBlock(inPlace, inPlace, 3);
    EXPECT_EQ(outLeft[2], 3.0);
}

TEST(IEffectBase, AccumulatingBlockAddsToConnectedHostOutputs)
{
    TestEffect effect;
    effect.SetBlockSize(2);
    float hostLeft[2] = {0.5f, 0.5f};
    float hostRight[2] = {0.5f, 0.5f};
    for (int i = 0; i < 2; ++i)
    {
        InChannel* input = effect.GetInChannel(i);
        input->connected = true;
        input->Scratch()[0] = 0.25 * (i + 1);
        input->Scratch()[1] = -1.0;
        *input->source = input->Scratch();
        OutChannel* output = effect.GetOutChannel(i);
        *output->destination = output->Scratch();
    }
    effect.GetOutChannel(0)->connected = true;
    effect.GetOutChannel(0)->floatDestination = hostLeft;
    effect.GetOutChannel(1)->floatDestination = hostRight;
    effect.ProcessBlockAccumulating(2);
    EXPECT_EQ(hostLeft[0], 0.75f);
    EXPECT_EQ(hostLeft[1], -0.5f);
    EXPECT_EQ(hostRight[0], 0.5f);  // not connected
}

TEST(IEffectBase, AttachEditorShowsEveryValueOnBoundAndAuxiliaryControlsUnderTheLock)
{
    TestEffect effect;
    effect.GetParam(3)->InitContinuous("p3", 0.4, 0.0, 2.0, 0.01, "", "", 1.0);
    effect.GetParam(5)->InitContinuous("p5", 1.0, 0.0, 4.0, 0.01, "", "", 1.0);
    auto* graphics = new RecordingGraphics(&effect);
    RecordingControl& bound = graphics->AddRecordingControl(3);
    RecordingControl& auxiliary = graphics->AddRecordingControl(-1, {7, 5, 3, 5});
    RecordingControl& unbound = graphics->AddRecordingControl(-1);
    bool lockHeld = true;
    bound.onSet = [&] { lockHeld = lockHeld && IsLockedAgainstOtherThreads(effect.GetLock()); };

    effect.AttachEditor(graphics);

    EXPECT_EQ(bound.values, std::vector<double>{0.2});
    ASSERT_EQ(auxiliary.auxValues.size(), 3u);
    EXPECT_EQ(auxiliary.auxValues[0].entry, 2);
    EXPECT_EQ(auxiliary.auxValues[0].value, 0.2);
    EXPECT_EQ(auxiliary.auxValues[1].entry, 1);
    EXPECT_EQ(auxiliary.auxValues[1].value, 0.25);
    EXPECT_EQ(auxiliary.auxValues[2].entry, 0);
    EXPECT_TRUE(unbound.values.empty());
    EXPECT_NE(graphics->GetDrawBitmap(), nullptr);
    EXPECT_EQ(effect.GetGraphics(), graphics);
    EXPECT_TRUE(lockHeld);
}

TEST(IEffectBase, AttachingNoEditorChangesNothing)
{
    TestEffect effect;
    effect.AttachEditor(nullptr);
    EXPECT_EQ(effect.GetGraphics(), nullptr);
}

TEST(IEffectBase, TheAttachedEditorIsOwned)
{
    bool firstDeleted = false;
    bool secondDeleted = false;
    {
        TestEffect effect;
        effect.AttachEditor(new RecordingGraphics(&effect, &firstDeleted));
        effect.AttachEditor(new RecordingGraphics(&effect, &secondDeleted));
        EXPECT_TRUE(firstDeleted);
        EXPECT_FALSE(secondDeleted);
    }
    EXPECT_TRUE(secondDeleted);
}

TEST(IEffectBase, SetParamFromEditorStoresTellsTheHostAsGivenThenApplies)
{
    TestEffect effect;
    bool lockHeld = false;
    effect.onAutomate = [&] { lockHeld = IsLockedAgainstOtherThreads(effect.GetLock()); };
    // An uninitialised parameter rounds to its step of 1.
    effect.SetParamFromEditor(2, 0.6);
    EXPECT_EQ(effect.GetParam(2)->Value(), 1.0);
    ASSERT_EQ(effect.automations.size(), 1u);
    EXPECT_EQ(effect.automations[0].index, 2);
    EXPECT_EQ(effect.automations[0].normalised, 0.6);
    EXPECT_EQ(effect.changedParams, std::vector<int>{2});
    EXPECT_TRUE(lockHeld);
}

TEST(IEffectBase, PushAllParamsToGuiShowsEveryValueNormalisedInIndexOrder)
{
    TestEffect effect;
    effect.PushAllParamsToGui();
    auto* graphics = new RecordingGraphics(&effect);
    graphics->BindControlsToParams(85);
    effect.AttachEditor(graphics);
    graphics->shownValues.clear();
    effect.SetDistinctValues(0.1);
    effect.PushAllParamsToGui();
    ASSERT_EQ(graphics->shownValues.size(), 85u);
    for (int i = 0; i < 85; ++i)
    {
        EXPECT_EQ(graphics->shownValues[i].paramIndex, i);
        EXPECT_DOUBLE_EQ(graphics->shownValues[i].normalised, effect.GetParam(i)->GetNormalized());
    }
}

TEST(IEffectBase, NotifyHostOfAllParamsAutomatesEveryNormalisedValue)
{
    TestEffect effect;
    effect.GetParam(1)->InitContinuous("p", 5.0, 0.0, 10.0, 0.1, "", "", 1.0);
    effect.NotifyHostOfAllParams();
    ASSERT_EQ(effect.automations.size(), 85u);
    EXPECT_EQ(effect.automations[1].index, 1);
    EXPECT_EQ(effect.automations[1].normalised, 0.5);
}

TEST(IEffectBase, MidiMessagesArePassedOnByDefault)
{
    TestEffect effect;
    const MidiMessage message{12, 0x90, 60, 100};
    effect.HandleMidiMessage(&message);
    ASSERT_EQ(effect.sentMidi.size(), 1u);
    EXPECT_EQ(effect.sentMidi[0].offset, 12);
    EXPECT_EQ(effect.sentMidi[0].data1, 60);
    char keyName[8] = "x";
    EXPECT_FALSE(effect.GetMidiKeyName(60, keyName));
    EXPECT_STREQ(keyName, "");
}
}
