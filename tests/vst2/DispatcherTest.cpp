#include "framework/vst2/Vst2Constants.h"
#include "tests/vst2/FakeHost.h"
#include "tests/vst2/HostedPlugin.h"
#include "tests/vst2/RecordingEffect.h"

#include "graphics/IGraphics.h"
#include "tests/graphics_support/RecordingGraphics.h"

#include <gtest/gtest.h>

#include <array>
#include <cstring>
#include <map>
#include <string>

namespace
{
constexpr unsigned char kPoison = 0xA5;
constexpr VstIntPtr kAnyPositive = -1;

struct OpcodeAnswer
{
    VstIntPtr result;  // kAnyPositive: any size above 0
    bool writes;
};

// What each handled opcode answers with index 0, value 0, opt 44100 and a poisoned buffer.
const std::map<VstInt32, OpcodeAnswer> kHandled = {
    {effOpen, {0, false}},
    {effSetProgram, {0, false}},
    {effGetProgram, {0, false}},
    {effSetProgramName, {0, false}},
    {effGetProgramName, {0, true}},
    {effGetParamLabel, {0, true}},
    {effGetParamDisplay, {0, true}},
    {effGetParamName, {0, true}},
    {effSetSampleRate, {0, false}},
    {effSetBlockSize, {0, false}},
    {effMainsChanged, {0, false}},
    {effEditGetRect, {0, false}},
    {effEditOpen, {0, false}},
    {effEditClose, {0, false}},
    {effIdentify, {kEffectIdentity, false}},
    {effGetChunk, {kAnyPositive, true}},
    {effSetChunk, {0, false}},
    {effProcessEvents, {1, false}},
    {effCanBeAutomated, {1, false}},
    {effString2Parameter, {1, false}},
    {effGetProgramNameIndexed, {1, true}},
    {effGetInputProperties, {1, true}},
    {effGetOutputProperties, {1, true}},
    {effGetPlugCategory, {kPlugCategEffect, false}},
    {effSetSpeakerArrangement, {1, false}},
    {effGetEffectName, {1, true}},
    {effGetVendorString, {1, true}},
    {effGetProductString, {1, true}},
    {effGetVendorVersion, {10100, false}},
    {effVendorSpecific, {0, false}},
    {effCanDo, {0, false}},
    {effGetTailSize, {0, false}},
    {effGetVstVersion, {2400, false}},
    {effGetMidiKeyName, {0, true}},
    {effGetSpeakerArrangement, {1, true}},
};

class DispatcherSweep : public testing::TestWithParam<VstInt32>
{
};

TEST_P(DispatcherSweep, AnswersHandledOpcodesAndLeavesOthersAlone)
{
    const VstInt32 opcode = GetParam();
    FakeHost host;
    HostedPlugin plugin(HostedPlugin::CreateProduct(&FakeHost::Callback));
    std::array<unsigned char, 512> buffer;
    buffer.fill(kPoison);
    // Texts read from the buffer end inside it.
    buffer.back() = 0;
    const auto poisoned = buffer;
    host.calls.clear();

    const VstIntPtr result = plugin.Dispatch(opcode, 0, 0, buffer.data(), 44100.0f);

    const auto handled = kHandled.find(opcode);
    if (handled == kHandled.end())
    {
        EXPECT_EQ(result, 0);
        EXPECT_EQ(buffer, poisoned);
        EXPECT_TRUE(host.calls.empty());
        return;
    }
    if (handled->second.result == kAnyPositive)
        EXPECT_GT(result, 0);
    else
        EXPECT_EQ(result, handled->second.result);
    EXPECT_EQ(buffer != poisoned, handled->second.writes);
}

// effClose deletes the instance and is covered by the life-cycle tests.
std::vector<VstInt32> SweptOpcodes()
{
    std::vector<VstInt32> opcodes;
    for (VstInt32 opcode = 0; opcode <= 79; ++opcode)
    {
        if (opcode != effClose)
            opcodes.push_back(opcode);
    }
    return opcodes;
}

std::string OpcodeName(const testing::TestParamInfo<VstInt32>& info)
{
    return "opcode" + std::to_string(info.param);
}

INSTANTIATE_TEST_SUITE_P(Opcodes, DispatcherSweep, testing::ValuesIn(SweptOpcodes()), OpcodeName);

// An editor that records what the binding asks of it, with controls on parameters 4 and 5.
class FakeGraphics : public HeadlessGraphics
{
public:
    explicit FakeGraphics(IEffectBase* plug) : HeadlessGraphics(plug)
    {
        AddControl(new RecordingControl(4));
        AddControl(new RecordingControl(5));
    }

    void* OpenEditorWindow(void* parentWindow) override
    {
        openedIn = parentWindow;
        return windowOpens ? this : nullptr;
    }
    void CloseEditorWindow() override { ++closeCount; }

    const std::vector<double>& ShownValues(int control) const
    {
        return static_cast<RecordingControl*>(GetControl(control))->values;
    }

    bool windowOpens = true;
    void* openedIn = nullptr;
    int closeCount = 0;
};

class DispatcherTest : public testing::Test
{
protected:
    FakeHost host;
    HostedPlugin plugin{HostedPlugin::CreateRecording(&FakeHost::Callback)};
    RecordingEffect& product = plugin.Object<RecordingEffect>();
};

TEST_F(DispatcherTest, CanDoAnswers)
{
    struct Case
    {
        const char* text;
        bool midi;
        VstIntPtr answer;
    };
    const Case cases[] = {
        {"receiveVstTimeInfo", false, 1},
        {"sendVstEvents", false, 0},
        {"sendVstEvents", true, 1},
        {"sendVstMidiEvent", true, 1},
        {"receiveVstEvents", true, 1},
        {"receiveVstMidiEvent", true, 1},
        {"hasCockosExtensions", false, 0xBEEF0000},
        {"hasCockosViewAsConfig", false, 0xBEEF0000},
        {"receiveVstTimeInfo ", false, 0},
        {"bypass", true, 0},
        {nullptr, true, 0},
    };
    for (const Case& c : cases)
    {
        if (c.midi)
            product.EnableMidi();
        EXPECT_EQ(plugin.Dispatch(effCanDo, 0, 0, const_cast<char*>(c.text)), c.answer)
            << (c.text ? c.text : "(null)") << (c.midi ? " with MIDI" : "");
    }
}

TEST_F(DispatcherTest, VendorSpecificDisplayTextAndSteppedQuery)
{
    struct Case
    {
        VstInt32 index;
        VstIntPtr param;
        bool withBuffer;
        VstIntPtr answer;
        const char* text;  // null: the buffer stays untouched
    };
    const Case cases[] = {
        {7, 0, true, 0xBEEF, "0.25"},
        {7, RecordingEffect::kParamWithDisplayTexts, true, 0xBEEF, "Off"},
        {7, RecordingEffect::kParamWithOwnText, true, 0xBEEF, "25 pc"},
        {7, 85, true, 0xBEEF, nullptr},
        {7, -1, true, 0xBEEF, nullptr},
        {7, 0, false, 0, nullptr},
        {8, 0, true, 0, nullptr},
        {8, 85, true, 0, nullptr},
        {9, 0, true, 0, nullptr},
    };
    for (const Case& c : cases)
    {
        char buffer[64] = "untouched";
        const VstIntPtr answer = plugin.Dispatch(effVendorSpecific, c.index, c.param, c.withBuffer ? buffer : nullptr,
                                                 0.25f);
        EXPECT_EQ(answer, c.answer) << c.index << "/" << c.param;
        EXPECT_STREQ(buffer, c.text ? c.text : "untouched") << c.index << "/" << c.param;
    }
}

TEST_F(DispatcherTest, PinPropertiesNameAndPairChannels)
{
    struct Case
    {
        VstInt32 opcode;
        VstInt32 index;
        VstIntPtr answer;
        VstInt32 flags;
        const char* label;
    };
    const Case cases[] = {
        {effGetInputProperties, 0, 1, kVstPinIsActive | kVstPinIsStereo, "Input 1"},
        {effGetInputProperties, 1, 1, kVstPinIsActive, "Input 2"},
        {effGetInputProperties, 2, 0, 0, ""},
        {effGetInputProperties, -1, 0, 0, ""},
        {effGetOutputProperties, 0, 1, kVstPinIsActive | kVstPinIsStereo, "Output 1"},
        {effGetOutputProperties, 1, 1, kVstPinIsActive, "Output 2"},
        {effGetOutputProperties, 2, 0, 0, ""},
    };
    for (const Case& c : cases)
    {
        VstPinProperties properties{};
        EXPECT_EQ(plugin.Dispatch(c.opcode, c.index, 0, &properties), c.answer) << c.opcode << "/" << c.index;
        EXPECT_EQ(properties.flags, c.flags) << c.opcode << "/" << c.index;
        EXPECT_STREQ(properties.label, c.label) << c.opcode << "/" << c.index;
    }
}

TEST_F(DispatcherTest, ParamDisplayAndLabelAreTheProductsTextWhereItHasOne)
{
    struct Case
    {
        VstInt32 index;
        double value;
        const char* display;
        const char* label;
    };
    const Case cases[] = {
        {0, 0.5, "0.50", "dB"},
        {RecordingEffect::kParamWithDisplayTexts, 1.0, "On", ""},
        {RecordingEffect::kParamWithOwnText, 0.5, "50 pc", ""},
    };
    for (const Case& c : cases)
    {
        product.GetParam(c.index)->SetPlain(c.value);
        char display[64] = {};
        char label[64] = "untouched";
        plugin.Dispatch(effGetParamDisplay, c.index, 0, display);
        plugin.Dispatch(effGetParamLabel, c.index, 0, label);
        EXPECT_STREQ(display, c.display) << c.index;
        EXPECT_STREQ(label, c.label) << c.index;
    }
}

TEST_F(DispatcherTest, StringToParameterParsesNumbersAndDisplayTexts)
{
    struct Case
    {
        VstInt32 index;
        const char* text;
        VstIntPtr answer;
        double value;
        bool changed;
    };
    const Case cases[] = {
        {0, "0.75", 1, 0.75, true},
        {0, "7", 1, 1.0, true},
        {0, nullptr, 1, 0.5, false},
        {RecordingEffect::kParamWithDisplayTexts, "On", 1, 1.0, true},
        {RecordingEffect::kParamWithDisplayTexts, "Maybe", 0, 0.5, false},
        {RecordingEffect::kParamWithOwnText, "25 pc", 1, 0.25, true},
        {RecordingEffect::kParamWithOwnText, "0.75", 1, 0.75, true},
        {85, "0.1", 0, 0.5, false},
        {-1, "0.1", 0, 0.5, false},
    };
    for (const Case& c : cases)
    {
        const int param = c.index >= 0 && c.index < 85 ? c.index : 0;
        product.GetParam(param)->SetPlain(0.5);
        product.changedParams.clear();
        EXPECT_EQ(plugin.Dispatch(effString2Parameter, c.index, 0, const_cast<char*>(c.text)), c.answer)
            << c.index << " " << (c.text ? c.text : "(null)");
        EXPECT_DOUBLE_EQ(product.GetParam(param)->Value(), c.value);
        EXPECT_EQ(product.changedParams.size(), c.changed ? 1u : 0u);
    }
}

TEST_F(DispatcherTest, TextsWrittenToTheHostStopAtSixtyThreeCharacters)
{
    const std::string longName(200, 'n');
    plugin.Dispatch(effSetProgramName, 0, 0, const_cast<char*>(longName.c_str()));
    struct Case
    {
        VstInt32 opcode;
        VstInt32 index;
    };
    for (const Case& c : {Case{effGetProgramName, 0}, Case{effGetProgramNameIndexed, 0}})
    {
        std::array<char, 128> buffer;
        buffer.fill('#');
        plugin.Dispatch(c.opcode, c.index, 0, buffer.data());
        EXPECT_EQ(std::string(buffer.data()), std::string(63, 'n')) << c.opcode;
        EXPECT_EQ(buffer[64], '#') << c.opcode;
    }
}

TEST_F(DispatcherTest, HostSettingsReachTheProduct)
{
    plugin.Dispatch(effSetSampleRate, 0, 0, nullptr, 48000.0f);
    EXPECT_EQ(product.GetSampleRate(), 48000.0);
    EXPECT_EQ(product.resetCount, 1);

    plugin.Dispatch(effSetBlockSize, 0, 256);
    EXPECT_EQ(product.GetBlockSize(), 256);
    EXPECT_EQ(product.resetCount, 2);

    // Block sizes of zero or less, or beyond 32 bits, are no announcement at all.
    for (VstIntPtr ignored : {VstIntPtr{0}, VstIntPtr{-64}, VstIntPtr{1} << 40})
        plugin.Dispatch(effSetBlockSize, 0, ignored);
    EXPECT_EQ(product.GetBlockSize(), 256);
    EXPECT_EQ(product.resetCount, 2);

    // Suspended, the effect keeps what it plays.
    plugin.Dispatch(effMainsChanged, 0, 1);
    plugin.Dispatch(effMainsChanged, 0, 0);
    EXPECT_EQ(product.activeCalls, (std::vector<bool>{true, false}));
    EXPECT_EQ(product.resetCount, 2);
}

TEST_F(DispatcherTest, OpenAnnouncesEveryParameterOnce)
{
    product.changedParams.clear();
    plugin.Dispatch(effOpen);
    ASSERT_EQ(product.changedParams.size(), 85u);
    for (int i = 0; i < 85; ++i)
        EXPECT_EQ(product.changedParams[static_cast<size_t>(i)], i);
}

TEST_F(DispatcherTest, ProgramSelectionAndNames)
{
    EXPECT_EQ(plugin.Dispatch(effSetProgram, 0, 5), 0);
    EXPECT_EQ(plugin.Dispatch(effGetProgram), 5);
    for (VstIntPtr invalid : {VstIntPtr{128}, VstIntPtr{-1}, (VstIntPtr{1} << 32) + 3})
    {
        plugin.Dispatch(effSetProgram, 0, invalid);
        EXPECT_EQ(plugin.Dispatch(effGetProgram), 5);
    }
    char name[64] = {};
    EXPECT_EQ(plugin.Dispatch(effGetProgramNameIndexed, 127, 0, name), 1);
    EXPECT_STREQ(name, "Empty");
    EXPECT_EQ(plugin.Dispatch(effGetProgramNameIndexed, 128, 0, name), 0);
    EXPECT_STREQ(name, "");
}

TEST_F(DispatcherTest, EditorRequestsReachTheAttachedEditor)
{
    auto* editor = new FakeGraphics(&product);
    product.AttachEditor(editor);
    EXPECT_TRUE(plugin.Effect()->flags & effFlagsHasEditor);

    ERect* rect = nullptr;
    EXPECT_EQ(plugin.Dispatch(effEditGetRect, 0, 0, &rect), 1);
    ASSERT_NE(rect, nullptr);
    EXPECT_EQ(rect->top, 0);
    EXPECT_EQ(rect->left, 0);
    EXPECT_EQ(rect->bottom, 830);
    EXPECT_EQ(rect->right, 650);

    int parent = 0;
    EXPECT_EQ(plugin.Dispatch(effEditOpen, 0, 0, &parent), 1);
    EXPECT_EQ(editor->openedIn, &parent);
    editor->windowOpens = false;
    EXPECT_EQ(plugin.Dispatch(effEditOpen, 0, 0, &parent), 0);
    EXPECT_EQ(plugin.Dispatch(effEditClose), 1);
    EXPECT_EQ(editor->closeCount, 1);

    plugin.Effect()->setParameter(plugin.Effect(), 4, 0.75f);
    plugin.Dispatch(effString2Parameter, 5, 0, const_cast<char*>("0.25"));
    EXPECT_EQ(editor->ShownValues(0).back(), 0.75);
    EXPECT_EQ(editor->ShownValues(1).back(), product.GetParam(5)->GetNormalized());
}

TEST_F(DispatcherTest, ExceptionFromTheProductStopsAtTheDispatcher)
{
    product.throwOnReset = true;
    EXPECT_EQ(plugin.Dispatch(effSetSampleRate, 0, 0, nullptr, 48000.0f), 0);
    // The lock was released on the way out: another request goes through.
    product.throwOnReset = false;
    EXPECT_EQ(plugin.Dispatch(effIdentify), kEffectIdentity);
}
}
