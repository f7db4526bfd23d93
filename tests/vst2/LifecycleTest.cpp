#include "framework/vst2/Vst2Constants.h"
#include "framework/vst2/VstPluginEntry.h"
#include "tests/vst2/FakeHost.h"
#include "tests/vst2/HostedPlugin.h"
#include "tests/vst2/RecordingEffect.h"

#include <gtest/gtest.h>

#include <cstring>
#include <new>
#include <stdexcept>

namespace
{
// A product whose IEffectVST part does not start at the object's address.
struct FirstBase
{
    virtual ~FirstBase() = default;
    double padding[3] = {};
};

class LaterBaseEffect : public FirstBase, public RecordingEffect
{
public:
    using RecordingEffect::RecordingEffect;
};

IEffectVST* MakeLaterBase(audioMasterCallback host)
{
    return new LaterBaseEffect(host);
}

IEffectVST* MakeNothing(audioMasterCallback)
{
    return nullptr;
}

IEffectVST* MakeThrowing(audioMasterCallback)
{
    throw std::runtime_error("construction failed");
}

IEffectVST* MakeOutOfMemory(audioMasterCallback)
{
    throw std::bad_alloc();
}

TEST(EntryPoint, RecordDescribesTheProduct)
{
    FakeHost host;
    HostedPlugin plugin(VSTPluginMain(&FakeHost::Callback));
    const AEffect* effect = plugin.Effect();
    ASSERT_NE(effect, nullptr);
    EXPECT_EQ(effect->magic, kEffectMagic);
    EXPECT_EQ(effect->uniqueID, 0x7A763130);
    EXPECT_EQ(effect->version, 10100);
    EXPECT_EQ(effect->numParams, 85);
    EXPECT_EQ(effect->numPrograms, 128);
    EXPECT_EQ(effect->numInputs, 2);
    EXPECT_EQ(effect->numOutputs, 2);
    EXPECT_EQ(effect->flags, effFlagsCanReplacing | effFlagsProgramChunks | effFlagsCanDoubleReplacing |
                                 effFlagsCanMono);
    EXPECT_EQ(effect->initialDelay, 0);
    EXPECT_EQ(effect->ioRatio, 1.0f);
    EXPECT_NE(effect->dispatcher, nullptr);
    EXPECT_NE(effect->process, nullptr);
    EXPECT_NE(effect->processReplacing, nullptr);
    EXPECT_NE(effect->processDoubleReplacing, nullptr);
    EXPECT_NE(effect->setParameter, nullptr);
    EXPECT_NE(effect->getParameter, nullptr);
}

TEST(EntryPoint, EveryPresetIsFilledBeforeTheHostSeesIt)
{
    FakeHost host;
    HostedPlugin plugin(HostedPlugin::CreateRecording(&FakeHost::Callback));
    const auto& product = plugin.Object<RecordingEffect>();
    for (int i = 0; i < product.GetPresetCount(); ++i)
    {
        const PresetSlot* preset = product.GetPreset(i);
        EXPECT_TRUE(preset->initialised) << i;
        EXPECT_STREQ(preset->name, "Empty") << i;
        EXPECT_EQ(preset->state.Size(), 85 * 8) << i;
    }
}

TEST(EntryPoint, FailedConstructionGivesNull)
{
    FakeHost host;
    for (auto factory : {&MakeNothing, &MakeThrowing, &MakeOutOfMemory})
        EXPECT_EQ(VstPluginEntry::Create(factory, &FakeHost::Callback), nullptr);
}

TEST(Lifecycle, OpenAndCloseDeleteTheInstanceExactlyOnce)
{
    struct Case
    {
        const char* name;
        IEffectVST* (*factory)(audioMasterCallback);
    };
    for (const Case& c : {Case{"direct", [](audioMasterCallback h) -> IEffectVST* { return new RecordingEffect(h); }},
                          Case{"later base", &MakeLaterBase}})
    {
        FakeHost host;
        const int destroyedBefore = RecordingEffect::destroyedCount;
        AEffect* effect = VstPluginEntry::Create(c.factory, &FakeHost::Callback);
        ASSERT_NE(effect, nullptr) << c.name;
        // The record leads back to the binding's part of the object, wherever it lies.
        EXPECT_EQ(static_cast<IEffectVST*>(effect->object)->GetEffect(), effect) << c.name;
        effect->dispatcher(effect, effOpen, 0, 0, nullptr, 0.0f);
        effect->dispatcher(effect, effMainsChanged, 0, 1, nullptr, 0.0f);
        EXPECT_EQ(effect->dispatcher(effect, effClose, 0, 0, nullptr, 0.0f), 0) << c.name;
        EXPECT_EQ(RecordingEffect::destroyedCount, destroyedBefore + 1) << c.name;
    }
}

TEST(Lifecycle, RecordWithoutObjectIsRefused)
{
    AEffect empty{};
    EXPECT_EQ(IEffectVST::VSTDispatcher(&empty, effIdentify, 0, 0, nullptr, 0.0f), 0);
    EXPECT_EQ(IEffectVST::VSTDispatcher(nullptr, effIdentify, 0, 0, nullptr, 0.0f), 0);
}

TEST(Lifecycle, WithoutHostCallbackNothingReachesTheHost)
{
    HostedPlugin plugin(HostedPlugin::CreateRecording(nullptr));
    ASSERT_NE(plugin.Effect(), nullptr);
    auto& product = plugin.Object<RecordingEffect>();
    plugin.Dispatch(effOpen);
    EXPECT_EQ(product.GetHostId(), 0);
    EXPECT_EQ(product.GetTempo(), 0.0);
    EXPECT_EQ(product.GetSamplePos(), 0);
    EXPECT_FALSE(product.IsRenderingOffline());
    const MidiMessage note{0, 0x90, 60, 100};
    EXPECT_FALSE(product.SendMidiMsg(&note));
    product.EnableMidi();
    float left[4] = {1, 2, 3, 4};
    float right[4] = {5, 6, 7, 8};
    float* channels[] = {left, right};
    plugin.Effect()->processReplacing(plugin.Effect(), channels, channels, 4);
    EXPECT_EQ(left[3], 4.0f);
}
}
