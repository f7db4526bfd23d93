#include "tests/vst3/HostedEffect.h"
#include "vst3/abi/ResultCodes.h"
#include "vst3/abi/Vst3Constants.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace
{
using Vst3::SpeakerArrangement;

SpeakerArrangement Arrangement(HostedEffect& effect, Vst3::int32 direction)
{
    SpeakerArrangement arrangement = ~0ull;
    effect.Processor()->getBusArrangement(direction, 0, arrangement);
    return arrangement;
}

TEST(Buses, OneStereoMainBusEachWay)
{
    HostedEffect effect;
    struct Case
    {
        Vst3::int32 direction;
        const char16_t* name;
    };
    for (const Case& c : {Case{Vst3::kDirectionInput, u"Main Input"}, Case{Vst3::kDirectionOutput, u"Output"}})
    {
        EXPECT_EQ(effect.Component()->getBusCount(Vst3::kMediaTypeAudio, c.direction), 1);
        EXPECT_EQ(effect.Component()->getBusCount(Vst3::kMediaTypeEvent, c.direction), 0);
        Vst3::BusInfo bus{};
        ASSERT_EQ(effect.Component()->getBusInfo(Vst3::kMediaTypeAudio, c.direction, 0, bus), Vst3::kResultOk);
        EXPECT_EQ(bus.mediaType, Vst3::kMediaTypeAudio);
        EXPECT_EQ(bus.direction, c.direction);
        EXPECT_EQ(bus.channelCount, 2);
        EXPECT_EQ(std::u16string(bus.name), c.name);
        EXPECT_EQ(bus.busType, Vst3::kBusTypeMain);
        EXPECT_EQ(bus.flags, Vst3::kBusFlagDefaultActive);
        EXPECT_EQ(Arrangement(effect, c.direction), Vst3::kArrangementStereo);
    }
}

TEST(Buses, QuestionsAboutMissingBusesAreRefused)
{
    HostedEffect effect;
    Vst3::BusInfo bus{};
    SpeakerArrangement arrangement = 0;
    EXPECT_NE(effect.Component()->getBusInfo(Vst3::kMediaTypeAudio, Vst3::kDirectionInput, 1, bus), Vst3::kResultOk);
    EXPECT_NE(effect.Component()->getBusInfo(Vst3::kMediaTypeEvent, Vst3::kDirectionInput, 0, bus), Vst3::kResultOk);
    EXPECT_NE(effect.Component()->getBusInfo(Vst3::kMediaTypeAudio, 2, 0, bus), Vst3::kResultOk);
    EXPECT_NE(effect.Processor()->getBusArrangement(Vst3::kDirectionOutput, -1, arrangement), Vst3::kResultOk);
    EXPECT_NE(effect.Component()->activateBus(Vst3::kMediaTypeAudio, Vst3::kDirectionOutput, 1, 1), Vst3::kResultOk);
}

TEST(Buses, ArrangementRequests)
{
    constexpr SpeakerArrangement kMono = Vst3::kArrangementMono;
    constexpr SpeakerArrangement kStereo = Vst3::kArrangementStereo;
    constexpr SpeakerArrangement kSurround = 0x37;
    struct Case
    {
        const char* name;
        std::vector<SpeakerArrangement> inputs;
        std::vector<SpeakerArrangement> outputs;
        Vst3::tresult result;
        SpeakerArrangement input;
        SpeakerArrangement output;
    };
    const Case cases[] = {
        {"stereo to stereo", {kStereo}, {kStereo}, Vst3::kResultOk, kStereo, kStereo},
        {"mono to mono", {kMono}, {kMono}, Vst3::kResultOk, kMono, kMono},
        {"left only counts as mono", {Vst3::kSpeakerL}, {Vst3::kSpeakerR}, Vst3::kResultOk, kMono, kMono},
        {"mono to stereo", {kMono}, {kStereo}, Vst3::kResultFalse, kStereo, kStereo},
        {"surround", {kSurround}, {kSurround}, Vst3::kResultFalse, kStereo, kStereo},
        {"no speakers", {0}, {0}, Vst3::kResultFalse, kStereo, kStereo},
        {"two input buses", {kMono, kMono}, {kMono}, Vst3::kResultFalse, kStereo, kStereo},
        {"no input bus", {}, {kMono}, Vst3::kResultFalse, kStereo, kStereo},
        {"no output bus keeps the outputs", {kStereo}, {}, Vst3::kResultOk, kStereo, kStereo},
    };
    for (const Case& c : cases)
    {
        HostedEffect effect;
        std::vector<SpeakerArrangement> inputs = c.inputs;
        std::vector<SpeakerArrangement> outputs = c.outputs;
        EXPECT_EQ(effect.Processor()->setBusArrangements(inputs.empty() ? nullptr : inputs.data(),
                                                         static_cast<Vst3::int32>(inputs.size()),
                                                         outputs.empty() ? nullptr : outputs.data(),
                                                         static_cast<Vst3::int32>(outputs.size())),
                  c.result)
            << c.name;
        EXPECT_EQ(Arrangement(effect, Vst3::kDirectionInput), c.input) << c.name;
        EXPECT_EQ(Arrangement(effect, Vst3::kDirectionOutput), c.output) << c.name;
    }
}

TEST(Buses, RefusedArrangementLeavesEveryChannelConnected)
{
    HostedEffect effect;
    SpeakerArrangement surround = 0x3F;
    EXPECT_EQ(effect.Processor()->setBusArrangements(&surround, 1, &surround, 1), Vst3::kResultFalse);
    for (int i = 0; i < 2; ++i)
    {
        EXPECT_TRUE(effect.Product().GetInChannel(i)->connected) << i;
        EXPECT_TRUE(effect.Product().GetOutChannel(i)->connected) << i;
    }
}

TEST(Buses, ChangedArrangementKeepsTheBusActive)
{
    HostedEffect effect;
    SpeakerArrangement mono = Vst3::kArrangementMono;
    ASSERT_EQ(effect.Processor()->setBusArrangements(&mono, 1, &mono, 1), Vst3::kResultOk);
    Vst3::BusInfo bus{};
    effect.Component()->getBusInfo(Vst3::kMediaTypeAudio, Vst3::kDirectionOutput, 0, bus);
    EXPECT_EQ(bus.channelCount, 1);
    EXPECT_EQ(std::u16string(bus.name), u"Output");

    // Mono buses of one channel each: the active output bus still receives audio.
    HostBus<double> inputs(1, 8, 0.25);
    HostBus<double> outputs(1, 8);
    ASSERT_EQ(effect.Process(inputs, outputs, 8), Vst3::kResultOk);
    ASSERT_FALSE(effect.Product().blocks.empty());
    EXPECT_EQ(effect.Product().blocks.back().outputs[0], outputs.samples[0].data());
}
}
