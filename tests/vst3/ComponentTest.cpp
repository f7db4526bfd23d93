#include "tests/vst3/HostedEffect.h"
#include "tests/vst3/RecordingComponentHandler.h"
#include "vst3/abi/IClassFactory.h"
#include "vst3/abi/ResultCodes.h"
#include "vst3/abi/Vst3Constants.h"

#include <gtest/gtest.h>

#include <vector>

namespace
{
const Vst3::Uid* const kOfferedInterfaces[] = {
    &Vst3::FUnknown::kIid,        &Vst3::ILifecycle::kIid,     &Vst3::IComponent::kIid,
    &Vst3::IAudioProcessor::kIid, &Vst3::IEditController::kIid, &Vst3::IEditController2::kIid,
    &Vst3::IUnitInfo::kIid,       &Vst3::IConnectionPoint::kIid,
};

Vst3::FUnknown* Ask(Vst3::FUnknown* object, const Vst3::Uid& id)
{
    void* answer = nullptr;
    if (object->queryInterface(id.bytes, &answer) != Vst3::kResultOk)
        return nullptr;
    return static_cast<Vst3::FUnknown*>(answer);
}

TEST(Component, EveryInterfaceLeadsToOneIdentity)
{
    HostedEffect effect;
    Vst3::FUnknown* identity = Ask(effect.Component(), Vst3::FUnknown::kIid);
    ASSERT_NE(identity, nullptr);
    for (const Vst3::Uid* id : kOfferedInterfaces)
    {
        Vst3::FUnknown* answer = Ask(effect.Component(), *id);
        ASSERT_NE(answer, nullptr);
        Vst3::FUnknown* itsIdentity = Ask(answer, Vst3::FUnknown::kIid);
        EXPECT_EQ(itsIdentity, identity);
        // The identity's reference and the answer's.
        itsIdentity->release();
        answer->release();
    }
    // Only the test's own reference and the identity's remain.
    EXPECT_EQ(identity->release(), 1u);
}

TEST(Component, UnknownInterfaceGivesNullAndAddsNoReference)
{
    HostedEffect effect;
    for (const Vst3::Uid* id : {&Vst3::IPlugView::kIid, &Vst3::IBStream::kIid, &Vst3::IClassFactory::kIid})
    {
        void* answer = &effect;
        EXPECT_EQ(effect.Component()->queryInterface(id->bytes, &answer), Vst3::kNoInterface);
        EXPECT_EQ(answer, nullptr);
    }
    EXPECT_EQ(effect.Component()->addRef(), 2u);
    effect.Component()->release();
}

TEST(Component, InitializeReadsTheHostNameAndConfiguresTheProduct)
{
    struct Case
    {
        const char16_t* name;
        int32_t hostId;
    };
    for (const Case& c : {Case{u"Cubase", 3}, Case{u"REAPER 7", 1}, Case{u"Some Other Host", 0}})
    {
        TestHostApplication host(c.name);
        auto* product = new RecordingProduct;
        EXPECT_EQ(product->initialize(&host), Vst3::kResultOk);
        EXPECT_EQ(product->HostId(), c.hostId);
        EXPECT_EQ(product->hostConfiguredCount, 1);
        EXPECT_EQ(product->GetCurrentPreset(), 0);
        EXPECT_EQ(product->presetChanges, 1);
        // The context keeps one reference; the host-application answer was given back.
        EXPECT_EQ(host.references, 2u);
        product->terminate();
        EXPECT_EQ(host.references, 1u);
        product->release();
    }
}

TEST(Component, SecondInitializeIsRefusedButSelectsPresetZeroAgain)
{
    HostedEffect effect;
    RecordingProduct& product = effect.Product();
    ASSERT_TRUE(product.SelectPreset(5));
    const int parameters = effect.Controller()->getParameterCount();
    const int presetChanges = product.presetChanges;

    EXPECT_EQ(effect.Component()->initialize(&effect.Host()), Vst3::kResultFalse);
    EXPECT_EQ(product.GetCurrentPreset(), 0);
    EXPECT_EQ(product.presetChanges, presetChanges + 1);
    EXPECT_EQ(product.hostConfiguredCount, 2);
    EXPECT_EQ(effect.Controller()->getParameterCount(), parameters);
    EXPECT_EQ(effect.Component()->getBusCount(Vst3::kMediaTypeAudio, Vst3::kDirectionOutput), 1);
    EXPECT_EQ(effect.Host().references, 2u);
}

TEST(Component, TerminateReleasesTheHostAndAllowsANewStart)
{
    HostedEffect effect;
    RecordingComponentHandler handler;
    EXPECT_EQ(effect.Controller()->setComponentHandler(&handler), Vst3::kResultOk);
    EXPECT_EQ(handler.references, 2u);

    EXPECT_EQ(effect.Component()->terminate(), Vst3::kResultOk);
    EXPECT_EQ(effect.Host().references, 1u);
    EXPECT_EQ(handler.references, 1u);
    EXPECT_EQ(effect.Controller()->getParameterCount(), 0);
    EXPECT_EQ(effect.Component()->getBusCount(Vst3::kMediaTypeAudio, Vst3::kDirectionInput), 0);

    EXPECT_EQ(effect.Component()->initialize(&effect.Host()), Vst3::kResultOk);
    EXPECT_EQ(effect.Controller()->getParameterCount(), 87);
    EXPECT_EQ(effect.Component()->getBusCount(Vst3::kMediaTypeAudio, Vst3::kDirectionInput), 1);
    EXPECT_EQ(effect.Units()->getUnitCount(), 4);
}

TEST(Component, ComponentHandlerIsHeldOnceAndReplaced)
{
    HostedEffect effect;
    RecordingComponentHandler first;
    RecordingComponentHandler second;
    effect.Controller()->setComponentHandler(&first);
    effect.Controller()->setComponentHandler(&first);
    EXPECT_EQ(first.references, 2u);
    effect.Controller()->setComponentHandler(&second);
    EXPECT_EQ(first.references, 1u);
    EXPECT_EQ(second.references, 2u);
    effect.Controller()->setComponentHandler(nullptr);
    EXPECT_EQ(second.references, 1u);
}

TEST(Component, EditsFromTheProductReachTheComponentHandler)
{
    HostedEffect effect;
    RecordingComponentHandler handler;
    effect.Controller()->setComponentHandler(&handler);
    RecordingProduct& product = effect.Product();
    product.BeginParamEdit(3);
    product.SetParamFromEditor(3, 0.75);
    product.EndParamEdit(3);

    using Kind = RecordingComponentHandler::Kind;
    ASSERT_EQ(handler.calls.size(), 3u);
    EXPECT_EQ(handler.calls[0].kind, Kind::Begin);
    EXPECT_EQ(handler.calls[1].kind, Kind::Perform);
    EXPECT_EQ(handler.calls[1].id, 3u);
    EXPECT_EQ(handler.calls[1].value, 0.75);
    EXPECT_EQ(handler.calls[2].kind, Kind::End);
    effect.Controller()->setComponentHandler(nullptr);
}

// The product may change its latency while process applies the host's queues; the host hears
// of it once, from the UI thread's loop, never from inside one of its calls into the plug-in.
TEST(Component, LatencyChangesReachTheHandlerFromTheUiLoopOnly)
{
    HostedEffect effect;
    RecordingComponentHandler handler;
    effect.Controller()->setComponentHandler(&handler);
    effect.Product().SetLatency(5);
    EXPECT_EQ(effect.Processor()->getLatencySamples(), 5u);
    for (int call = 0; call < 2; ++call)
        effect.Controller()->setParamNormalized(RecordingProduct::kGain, 0.5);
    EXPECT_TRUE(handler.calls.empty());
    ASSERT_TRUE(handler.AwaitRestart()) << "the latency change never reached the host";
    handler.loop.Turn();
    EXPECT_EQ(handler.Restarts(), std::vector<Vst3::int32>{Vst3::kRestartLatencyChanged});
    effect.Controller()->setComponentHandler(nullptr);
    EXPECT_TRUE(handler.loop.timers.empty());
}

TEST(Component, FixedAnswers)
{
    HostedEffect effect;
    Vst3::TUID classId = {};
    Vst3::RoutingInfo routing{};
    struct Case
    {
        const char* call;
        Vst3::tresult result;
        Vst3::tresult expected;
    };
    const Case cases[] = {
        {"getControllerClassId", effect.Component()->getControllerClassId(classId), Vst3::kNotImplemented},
        {"setIoMode", effect.Component()->setIoMode(0), Vst3::kNotImplemented},
        {"getRoutingInfo", effect.Component()->getRoutingInfo(routing, routing), Vst3::kNotImplemented},
        {"setProcessing", effect.Processor()->setProcessing(1), Vst3::kNotImplemented},
        {"setComponentState without stream", effect.Controller()->setComponentState(nullptr), Vst3::kInvalidArgument},
        {"setKnobMode", effect.Product().setKnobMode(1), Vst3::kResultOk},
        {"openHelp", effect.Product().openHelp(0), Vst3::kResultFalse},
        {"openAboutBox", effect.Product().openAboutBox(0), Vst3::kResultFalse},
        {"canProcessSampleSize 32", effect.Processor()->canProcessSampleSize(0), Vst3::kResultOk},
        {"canProcessSampleSize 64", effect.Processor()->canProcessSampleSize(1), Vst3::kResultOk},
        {"canProcessSampleSize 2", effect.Processor()->canProcessSampleSize(2), Vst3::kResultFalse},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.result, c.expected) << c.call;
    EXPECT_EQ(effect.Processor()->getLatencySamples(), 0u);
    EXPECT_EQ(effect.Processor()->getTailSamples(), 0u);
    EXPECT_EQ(effect.Controller()->createView("editor"), nullptr);
    EXPECT_EQ(effect.Product().GetPluginApi(), 1);
}

TEST(Component, SetActiveReachesTheProduct)
{
    HostedEffect effect;
    EXPECT_EQ(effect.Component()->setActive(1), Vst3::kResultOk);
    EXPECT_EQ(effect.Component()->setActive(0), Vst3::kResultOk);
    EXPECT_EQ(effect.Product().activeCalls, (std::vector<bool>{true, false}));
}

TEST(Component, NamesItsClassAndTheRolesItPlays)
{
    HostedEffect effect;
    const RecordingProduct& product = effect.Product();
    EXPECT_STREQ(product.ClassName(), "IEffectVST3");
    for (const char* name :
         {"IEffectVST3", "SingleComponentEffect", "EditControllerEx1", "EditController", "ComponentBase", "FObject"})
        EXPECT_TRUE(product.IsTypeOf(name)) << name;
    for (const char* name : {"Parameter", "CPluginView", "", static_cast<const char*>(nullptr)})
        EXPECT_FALSE(product.IsTypeOf(name));
}
}
