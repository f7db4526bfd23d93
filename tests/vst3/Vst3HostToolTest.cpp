#include "tools/vst3host/InterfaceIds.h"
#include "tools/vst3host/ModuleLibrary.h"
#include "tools/vst3host/Vst3HostOptions.h"
#include "vst3/abi/IAudioProcessor.h"
#include "vst3/abi/IComponent.h"
#include "vst3/abi/IEditController.h"
#include "vst3/abi/IHostApplication.h"
#include "vst3/abi/IParameterChanges.h"
#include "vst3/abi/IClassFactory.h"
#include "vst3/abi/IRunLoop.h"
#include "vst3/abi/IUnitInfo.h"

#include <gtest/gtest.h>

#include <cstring>
#include <optional>
#include <string>

namespace
{
// The host's ids and the plug-in's are written apart; they must agree byte for byte.
TEST(Vst3HostTool, InterfaceIdsAgreeWithThePlugInsDeclarations)
{
    struct Case
    {
        const char* name;
        const InterfaceId& host;
        const Vst3::Uid& plugin;
    };
    const Case cases[] = {
        {"FUnknown", InterfaceIds::kUnknown, Vst3::FUnknown::kIid},
        {"IClassFactory", InterfaceIds::kPluginFactory, Vst3::IClassFactory::kIid},
        {"IClassFactory2", InterfaceIds::kPluginFactory2, Vst3::IClassFactory2::kIid},
        {"IClassFactory3", InterfaceIds::kPluginFactory3, Vst3::IClassFactory3::kIid},
        {"ILifecycle", InterfaceIds::kPluginBase, Vst3::ILifecycle::kIid},
        {"IComponent", InterfaceIds::kComponent, Vst3::IComponent::kIid},
        {"IAudioProcessor", InterfaceIds::kAudioProcessor, Vst3::IAudioProcessor::kIid},
        {"IEditController", InterfaceIds::kEditController, Vst3::IEditController::kIid},
        {"IEditController2", InterfaceIds::kEditController2, Vst3::IEditController2::kIid},
        {"IUnitInfo", InterfaceIds::kUnitInfo, Vst3::IUnitInfo::kIid},
        {"IHostApplication", InterfaceIds::kHostApplication, Vst3::IHostApplication::kIid},
        {"IComponentHandler", InterfaceIds::kComponentHandler, Vst3::IComponentHandler::kIid},
        {"IBStream", InterfaceIds::kStream, Vst3::IBStream::kIid},
        {"IParameterChanges", InterfaceIds::kParameterChanges, Vst3::IParameterChanges::kIid},
        {"IParamValueQueue", InterfaceIds::kParamValueQueue, Vst3::IParamValueQueue::kIid},
        {"IRunLoop", InterfaceIds::kRunLoop, Vst3::IRunLoop::kIid},
        {"ITimerHandler", InterfaceIds::kTimerHandler, Vst3::ITimerHandler::kIid},
    };
    for (const Case& c : cases)
        EXPECT_EQ(std::memcmp(c.host.data(), c.plugin.bytes, c.host.size()), 0) << c.name;
}

TEST(Vst3HostTool, ParameterIdsAreNumbersOrFourCharacters)
{
    struct Case
    {
        const char* text;
        std::optional<uint32_t> id;
    };
    for (const Case& c : {Case{"0", 0u}, Case{"84", 84u}, Case{"0x10", 16u}, Case{"bpas", 0x62706173u},
                          Case{"prst", 0x70727374u}, Case{"abc", std::nullopt}, Case{"", std::nullopt},
                          Case{"-1", std::nullopt}, Case{"bypass", std::nullopt}})
        EXPECT_EQ(Vst3HostOptions::ParseParamId(c.text), c.id) << c.text;
}

TEST(Vst3HostTool, CommandLines)
{
    struct Case
    {
        std::vector<const char*> arguments;
        bool valid;
    };
    const Case cases[] = {
        {{"vst3host", "Zarvotone.vst3", "--precision", "32,64", "--param", "bpas=1", "--program", "3"}, true},
        {{"vst3host", "Zarvotone.vst3", "--precision", "16"}, false},
        {{"vst3host", "Zarvotone.vst3", "--param", "3=1.5"}, false},
        {{"vst3host", "Zarvotone.vst3", "--block"}, false},
        {{"vst3host", "--brief"}, false},
        {{"vst3host", "a.vst3", "b.vst3"}, false},
    };
    for (const Case& c : cases)
    {
        Vst3HostOptions options;
        std::string error;
        EXPECT_EQ(Vst3HostOptions::Parse(static_cast<int>(c.arguments.size()), c.arguments.data(), options, error),
                  c.valid)
            << c.arguments[1];
    }
    Vst3HostOptions options;
    std::string error;
    const char* arguments[] = {"vst3host", "m.vst3", "--precision", "64,32", "--param", "prst=0.5"};
    ASSERT_TRUE(Vst3HostOptions::Parse(6, arguments, options, error));
    EXPECT_EQ(options.sampleSizes, (std::vector<int32_t>{1, 0}));
    ASSERT_EQ(options.parameters.size(), 1u);
    EXPECT_EQ(options.parameters[0].first, 0x70727374u);
    EXPECT_EQ(options.parameters[0].second, 0.5);
}

TEST(Vst3HostTool, MissingModuleIsReported)
{
    ModuleLibrary module("no-such-module.vst3");
    EXPECT_FALSE(module.IsLoaded());
    EXPECT_FALSE(module.Error().empty());
}
}
