#include "framework/ScopedLock.h"
#include "framework/vst2/Vst2Constants.h"
#include "tests/support/TestThread.h"
#include "tests/vst2/FakeHost.h"
#include "tests/vst2/HostedPlugin.h"
#include "tests/vst2/RecordingEffect.h"

#include <gtest/gtest.h>

#include <limits>
#include <vector>

namespace
{
class HostCallbacks : public testing::Test
{
protected:
    FakeHost host;
    HostedPlugin plugin{HostedPlugin::CreateRecording(&FakeHost::Callback)};
    RecordingEffect& product = plugin.Object<RecordingEffect>();
};

TEST_F(HostCallbacks, EditAndDisplayRequestsReachTheHost)
{
    host.calls.clear();
    product.BeginParamEdit(3);
    product.AutomateParam(3, 0.625);
    product.EndParamEdit(3);
    product.UpdateHostDisplay();
    ASSERT_EQ(host.calls.size(), 4u);
    EXPECT_EQ(host.calls[0].opcode, audioMasterBeginEdit);
    EXPECT_EQ(host.calls[0].index, 3);
    EXPECT_EQ(host.calls[1].opcode, audioMasterAutomate);
    EXPECT_EQ(host.calls[1].index, 3);
    EXPECT_EQ(host.calls[1].opt, 0.625f);
    EXPECT_EQ(host.calls[2].opcode, audioMasterEndEdit);
    EXPECT_EQ(host.calls[3].opcode, audioMasterUpdateDisplay);
    for (AEffect* caller : host.callers)
        EXPECT_EQ(caller, plugin.Effect());
}

TEST_F(HostCallbacks, OfflineRenderingFollowsTheProcessLevel)
{
    for (VstIntPtr level : {0, 1, 2, 3, 4})
    {
        host.processLevel = level;
        EXPECT_EQ(product.IsRenderingOffline(), level == kVstProcessLevelOffline) << level;
    }
}

TEST_F(HostCallbacks, TimeInfoCopiesOnlyWhatTheHostMarksValid)
{
    constexpr double kUnset = -99.0;
    struct Case
    {
        const char* name;
        bool answer;
        VstInt32 flags;
        HostTimeInfo expected;
    };
    const HostTimeInfo untouched{kUnset, kUnset, kUnset, kUnset, kUnset, kUnset, -9, -9, true, true};
    const Case cases[] = {
        {"no record", false, 0x3E00, untouched},
        {"no requested flag", true, kVstTransportPlaying, untouched},
        {"tempo only", true, kVstTempoValid | kVstTransportPlaying,
         {140.0, 4410.0, kUnset, kUnset, kUnset, kUnset, -9, -9, true, false}},
        {"everything", true, 0x3E00 | kVstTransportPlaying | kVstTransportCycleActive,
         {140.0, 4410.0, 6.5, 4.0, 2.0, 10.0, 7, 8, true, true}},
        {"bars and signature, stopped", true, kVstBarsValid | kVstTimeSigValid,
         {kUnset, 4410.0, kUnset, 4.0, kUnset, kUnset, 7, 8, false, false}},
    };
    for (const Case& c : cases)
    {
        host.answerTime = c.answer;
        host.timeInfo = VstTimeInfo{};
        host.timeInfo.samplePos = 4410.0;
        host.timeInfo.ppqPos = 6.5;
        host.timeInfo.tempo = 140.0;
        host.timeInfo.barStartPos = 4.0;
        host.timeInfo.cycleStartPos = 2.0;
        host.timeInfo.cycleEndPos = 10.0;
        host.timeInfo.timeSigNumerator = 7;
        host.timeInfo.timeSigDenominator = 8;
        host.timeInfo.flags = c.flags;
        host.calls.clear();

        HostTimeInfo info = untouched;
        product.GetTimeInfo(&info);
        EXPECT_EQ(info.tempo, c.expected.tempo) << c.name;
        EXPECT_EQ(info.samplePos, c.expected.samplePos) << c.name;
        EXPECT_EQ(info.ppqPos, c.expected.ppqPos) << c.name;
        EXPECT_EQ(info.lastBar, c.expected.lastBar) << c.name;
        EXPECT_EQ(info.cycleStart, c.expected.cycleStart) << c.name;
        EXPECT_EQ(info.cycleEnd, c.expected.cycleEnd) << c.name;
        EXPECT_EQ(info.numerator, c.expected.numerator) << c.name;
        EXPECT_EQ(info.denominator, c.expected.denominator) << c.name;
        EXPECT_EQ(info.playing, c.expected.playing) << c.name;
        EXPECT_EQ(info.looping, c.expected.looping) << c.name;
        ASSERT_EQ(host.calls.size(), 1u);
        EXPECT_EQ(host.calls[0].opcode, audioMasterGetTime);
        EXPECT_EQ(host.calls[0].value, 0x3E00);
    }
}

TEST_F(HostCallbacks, TimeInfoSkipsValuesOutsideTheirRange)
{
    host.answerTime = true;
    host.timeInfo.flags = 0x3E00;
    host.timeInfo.ppqPos = -1.0;
    host.timeInfo.tempo = 0.0;
    host.timeInfo.barStartPos = -4.0;
    host.timeInfo.cycleStartPos = 2.0;
    host.timeInfo.cycleEndPos = -1.0;
    host.timeInfo.timeSigNumerator = 3;
    host.timeInfo.timeSigDenominator = 0;
    HostTimeInfo info{1.0, 2.0, 3.0, 4.0, 5.0, 6.0, 7, 8, false, false};
    product.GetTimeInfo(&info);
    EXPECT_EQ(info.ppqPos, 3.0);
    EXPECT_EQ(info.tempo, 1.0);
    EXPECT_EQ(info.lastBar, 4.0);
    EXPECT_EQ(info.cycleStart, 5.0);
    EXPECT_EQ(info.cycleEnd, 6.0);
    EXPECT_EQ(info.numerator, 7);
    EXPECT_EQ(info.denominator, 8);
}

TEST_F(HostCallbacks, SamplePositionTempoAndSignature)
{
    struct Case
    {
        bool answer;
        double samplePos;
        int expected;
    };
    const Case positions[] = {
        {false, 100.0, 0},
        {true, 1234.4, 1234},
        {true, 1234.5, 1235},
        {true, -3.0, 0},
        {true, std::numeric_limits<double>::quiet_NaN(), 0},
        {true, 1e12, std::numeric_limits<int>::max()},
    };
    for (const Case& c : positions)
    {
        host.answerTime = c.answer;
        host.timeInfo.samplePos = c.samplePos;
        EXPECT_EQ(product.GetSamplePos(), c.expected) << c.samplePos;
    }

    host.answerTime = true;
    host.timeInfo.tempo = 133.0;
    host.timeInfo.timeSigNumerator = 5;
    host.timeInfo.timeSigDenominator = 4;
    host.timeInfo.flags = 0;
    int numerator = -1;
    int denominator = -1;
    EXPECT_EQ(product.GetTempo(), 0.0);
    product.GetTimeSig(&numerator, &denominator);
    EXPECT_EQ(numerator, 0);
    EXPECT_EQ(denominator, 0);

    host.timeInfo.flags = kVstTempoValid | kVstTimeSigValid;
    EXPECT_EQ(product.GetTempo(), 133.0);
    product.GetTimeSig(&numerator, &denominator);
    EXPECT_EQ(numerator, 5);
    EXPECT_EQ(denominator, 4);
}

TEST_F(HostCallbacks, MidiAndSysExLeaveAsOneEventEach)
{
    const MidiMessage note{17, 0x90, 60, 127};
    const uint8_t dump[] = {0xF0, 0x7E, 0x00, 0x06, 0x01, 0xF7};
    const SysExMessage sysEx{5, sizeof dump, dump};

    for (VstIntPtr answer : {1, 0})
    {
        host.eventsAnswer = answer;
        EXPECT_EQ(product.SendMidiMsg(&note), answer == 1);
        EXPECT_EQ(product.SendSysEx(&sysEx), answer == 1);
    }
    ASSERT_EQ(host.midiEvents.size(), 2u);
    const VstMidiEvent& midi = host.midiEvents[0];
    EXPECT_EQ(midi.type, kVstMidiType);
    EXPECT_EQ(midi.byteSize, 32);
    EXPECT_EQ(midi.deltaFrames, 17);
    EXPECT_EQ(midi.flags, 0);
    EXPECT_EQ(midi.noteLength, 0);
    EXPECT_EQ(static_cast<uint8_t>(midi.midiData[0]), 0x90);
    EXPECT_EQ(midi.midiData[1], 60);
    EXPECT_EQ(midi.midiData[2], 127);
    EXPECT_EQ(midi.midiData[3], 0);

    ASSERT_EQ(host.sysExEvents.size(), 2u);
    EXPECT_EQ(host.sysExEvents[0].type, kVstSysExType);
    EXPECT_EQ(host.sysExEvents[0].byteSize, 48);
    EXPECT_EQ(host.sysExEvents[0].deltaFrames, 5);
    EXPECT_EQ(host.sysExEvents[0].dumpBytes, 6);
    EXPECT_EQ(host.sysExDumps[0], std::vector<uint8_t>(std::begin(dump), std::end(dump)));
}

TEST_F(HostCallbacks, IncomingEventsReachTheProductInOrder)
{
    VstMidiEvent noteOn{};
    noteOn.type = kVstMidiType;
    noteOn.deltaFrames = 3;
    noteOn.midiData[0] = static_cast<char>(0x91);
    noteOn.midiData[1] = 64;
    noteOn.midiData[2] = 90;
    char dump[] = {'\xF0', '\x01', '\xF7'};
    VstMidiSysexEvent sysEx{};
    sysEx.type = kVstSysExType;
    sysEx.deltaFrames = 8;
    sysEx.dumpBytes = 3;
    sysEx.sysexDump = dump;
    VstEvent other{};
    other.type = 5;

    struct
    {
        VstInt32 numEvents;
        VstIntPtr reserved;
        VstEvent* events[4];
    } list{4, 0, {reinterpret_cast<VstEvent*>(&noteOn), nullptr, &other, reinterpret_cast<VstEvent*>(&sysEx)}};

    EXPECT_EQ(plugin.Dispatch(effProcessEvents, 0, 0, &list), 1);
    ASSERT_EQ(product.midiReceived.size(), 1u);
    EXPECT_EQ(product.midiReceived[0].offset, 3);
    EXPECT_EQ(product.midiReceived[0].status, 0x91);
    EXPECT_EQ(product.midiReceived[0].data1, 64);
    EXPECT_EQ(product.midiReceived[0].data2, 90);
    ASSERT_EQ(product.sysExReceived.size(), 1u);
    EXPECT_EQ(product.sysExReceived[0], (std::vector<uint8_t>{0xF0, 0x01, 0xF7}));
    EXPECT_EQ(plugin.Dispatch(effProcessEvents), 0);
}

TEST(HostIdentity, DetectedOnceAndVersionPacked)
{
    struct Case
    {
        const char* product;
        VstIntPtr vendorVersion;
        int id;
        int32_t packedVersion;
        int versionRequests;
    };
    const Case cases[] = {
        {"Cubase VST", 10305, 3, 0x010305, 1},
        {"REAPER", 60020, 1, 0x060014, 1},
        {"Ableton Live 11", 110312, 9, (11 << 16) | (3 << 8) | 12, 1},
        {"Some Host", 2500, 0, 0x001900, 1},
        {"", 10305, 0, 0, 0},
    };
    for (const Case& c : cases)
    {
        FakeHost host;
        host.productString = c.product;
        host.vendorVersion = c.vendorVersion;
        HostedPlugin plugin(HostedPlugin::CreateRecording(&FakeHost::Callback));
        auto& product = plugin.Object<RecordingEffect>();
        plugin.Dispatch(effOpen);
        EXPECT_EQ(product.GetHostId(), c.id) << c.product;
        EXPECT_EQ(product.GetHostId(), c.id) << c.product;
        EXPECT_EQ(product.HostVersion(), c.packedVersion) << c.product;
        EXPECT_EQ(host.CountOf(audioMasterGetProductString), 1) << c.product;
        EXPECT_EQ(host.CountOf(audioMasterGetVendorVersion), c.versionRequests) << c.product;
    }
}

TEST(PluginLock, HeldWhileTheHostIsCalledBack)
{
    struct Case
    {
        const char* name;
        void (*run)(AEffect* effect);
    };
    const Case cases[] = {
        {"dispatcher", [](AEffect* e) { e->dispatcher(e, effOpen, 0, 0, nullptr, 0.0f); }},
        {"audio entry",
         [](AEffect* e) {
             float samples[8] = {};
             float* channels[] = {samples, samples};
             e->processReplacing(e, channels, channels, 8);
         }},
    };
    for (const Case& c : cases)
    {
        FakeHost host;
        HostedPlugin plugin(HostedPlugin::CreateRecording(&FakeHost::Callback));
        auto& product = plugin.Object<RecordingEffect>();
        product.EnableMidi();
        int lockedOut = 0;
        int callbacks = 0;
        host.onCall = [&](VstInt32) {
            ++callbacks;
            bool entered = true;
            TestThread other("the other thread's lock attempt", [&] {
                entered = product.GetLock().TryEnter();
                if (entered)
                    product.GetLock().Leave();
            });
            other.Join();
            lockedOut += entered ? 0 : 1;
        };
        c.run(plugin.Effect());
        host.onCall = nullptr;
        EXPECT_GT(callbacks, 0) << c.name;
        EXPECT_EQ(lockedOut, callbacks) << c.name;
    }
}
}
