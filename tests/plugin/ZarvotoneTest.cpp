#include "framework/vst2/Vst2Constants.h"
#include "plugin/FactoryBank.h"
#include "plugin/HostDisplayName.h"
#include "plugin/ParameterTable.h"
#include "tests/plugin/PluginRig.h"
#include "tests/vst2/FakeHost.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <set>
#include <string>
#include <vector>

extern "C" AEffect* VSTPluginMain(audioMasterCallback host);

namespace
{
class EntryPoint : public testing::Test
{
protected:
    ~EntryPoint() override { effect->dispatcher(effect, effClose, 0, 0, nullptr, 0.0f); }

    Zarvotone& Plugin() { return dynamic_cast<Zarvotone&>(*IEffectVST::FromEffect(effect)); }

    FakeHost host;
    AEffect* effect = VSTPluginMain(&FakeHost::Callback);
};

TEST_F(EntryPoint, EveryPresetIsAFactoryProgram)
{
    ASSERT_NE(effect, nullptr);
    EXPECT_EQ(effect->numPrograms, 128);
    const struct
    {
        int index;
        const char* name;
    } names[] = {{0, "Initial Preset (Single-Band)"}, {20, "### HARDCORE ###"}, {37, "EL Diablo"},
                 {81, "Thrashcore"},                  {124, "El Diablo I/O sat"}, {127, "Modern Smash"}};
    for (const auto& n : names)
        EXPECT_STREQ(Plugin().GetPreset(n.index)->name, n.name);
    for (int i = 0; i < Plugin().GetPresetCount(); ++i)
    {
        const PresetSlot* preset = Plugin().GetPreset(i);
        EXPECT_TRUE(preset->initialised) << i;
        EXPECT_STRNE(preset->name, "Empty") << i;
        EXPECT_EQ(preset->state.Size(), 22264) << i;
    }
}

// Hosts tell parameters apart by name: 57 and 58 differ only past the 32nd character.
TEST_F(EntryPoint, HostsGetEveryParameterNameWholeAndDistinct)
{
    std::set<std::string> names;
    for (int index = 0; index < kTotalParamCount; ++index)
    {
        char name[64];
        std::memset(name, 'x', sizeof name);
        effect->dispatcher(effect, effGetParamName, index, 0, name, 0.0f);
        char expected[64];
        if (index < kFirstReservedParam)
            std::snprintf(expected, sizeof expected, "%s", GetParameterDefinition(index).name);
        else
            FormatReservedParamName(index, expected, sizeof expected);
        EXPECT_STREQ(name, expected) << index;
        names.insert(name);
    }
    EXPECT_EQ(names.size(), static_cast<size_t>(kTotalParamCount));
}

// The Windows plug-in announces its editor window; without a window layer there is none.
TEST_F(EntryPoint, TheEditorIsAnnouncedWhereThereIsAWindow)
{
    ERect* rect = nullptr;
#ifdef _WIN32
    EXPECT_EQ(effect->flags & effFlagsHasEditor, effFlagsHasEditor);
    ASSERT_EQ(effect->dispatcher(effect, effEditGetRect, 0, 0, &rect, 0.0f), 1);
    ASSERT_NE(rect, nullptr);
    EXPECT_EQ(rect->right - rect->left, 650);
    EXPECT_EQ(rect->bottom - rect->top, 830);
#else
    EXPECT_EQ(effect->flags & effFlagsHasEditor, 0);
    EXPECT_EQ(effect->dispatcher(effect, effEditGetRect, 0, 0, &rect, 0.0f), 0);
#endif
}

// Selecting a factory program applies its own values, group headers included.
TEST_F(EntryPoint, SelectingAProgramAppliesItsCurve)
{
    const struct
    {
        int program;
        uint32_t curve;
    } cases[] = {{20, 22}, {81, 80}, {98, 0}, {125, 5}};
    for (const auto& c : cases)
    {
        effect->dispatcher(effect, effSetProgram, 0, c.program, nullptr, 0.0f);
        for (DistortionChain* chain : Plugin().Units().Chains())
            EXPECT_EQ(chain->distortion.currentId, c.curve) << c.program;
        EXPECT_EQ(Plugin().CurrentValues().Get(kParamDistortionType), c.curve / 80.0) << c.program;
    }
}

// Until effOpen returns the host may not be ready for calls back: it is only asked who it is.
TEST_F(EntryPoint, OpeningOnlyAsksTheHostWhoItIs)
{
    effect->dispatcher(effect, effOpen, 0, 0, nullptr, 0.0f);
    ASSERT_FALSE(host.calls.empty());
    for (const HostCall& call : host.calls)
        EXPECT_TRUE(call.opcode == audioMasterGetProductString || call.opcode == audioMasterGetVendorVersion)
            << call.opcode << " for " << call.index;
}

std::vector<uint8_t> ProgramChunk(AEffect* effect)
{
    void* data = nullptr;
    const VstIntPtr size = effect->dispatcher(effect, effGetChunk, 1, 0, &data, 0.0f);
    const auto* bytes = static_cast<const uint8_t*>(data);
    return size > 0 ? std::vector<uint8_t>(bytes, bytes + size) : std::vector<uint8_t>{};
}

// Noise through the float entry, as a host plays it after opening the effect.
std::vector<float> PlayNoise(AEffect* effect)
{
    constexpr int kFrames = 8192;
    constexpr int kBlock = 512;
    effect->dispatcher(effect, effSetSampleRate, 0, 0, nullptr, static_cast<float>(PluginRig::kRate));
    effect->dispatcher(effect, effSetBlockSize, 0, kBlock, nullptr, 0.0f);
    effect->dispatcher(effect, effMainsChanged, 0, 1, nullptr, 0.0f);
    const StereoSignal noise = MakeNoise(kFrames, 0.3);
    std::vector<float> left(noise.left.begin(), noise.left.end());
    std::vector<float> right(noise.right.begin(), noise.right.end());
    std::vector<float> played(2 * kFrames);
    for (int offset = 0; offset < kFrames; offset += kBlock)
    {
        float* in[2] = {left.data() + offset, right.data() + offset};
        float* out[2] = {played.data() + offset, played.data() + kFrames + offset};
        effect->processReplacing(effect, in, out, kBlock);
    }
    return played;
}

// A new instance is the program it reports: the host reads that program's values, processing
// applies them, and choosing the program again changes neither.
TEST_F(EntryPoint, ANewInstanceIsTheProgramItReports)
{
    effect->dispatcher(effect, effOpen, 0, 0, nullptr, 0.0f);
    EXPECT_EQ(effect->dispatcher(effect, effGetProgram, 0, 0, nullptr, 0.0f), 0);
    char name[64] = {};
    effect->dispatcher(effect, effGetProgramName, 0, 0, name, 0.0f);
    EXPECT_STREQ(name, "Initial Preset (Single-Band)");

    AEffect* chosen = VSTPluginMain(&FakeHost::Callback);
    ASSERT_NE(chosen, nullptr);
    chosen->dispatcher(chosen, effOpen, 0, 0, nullptr, 0.0f);
    chosen->dispatcher(chosen, effSetProgram, 0, 0, nullptr, 0.0f);
    for (int index = 0; index < kTotalParamCount; ++index)
        EXPECT_EQ(effect->getParameter(effect, index), chosen->getParameter(chosen, index)) << index;
    EXPECT_EQ(ProgramChunk(effect), ProgramChunk(chosen));
    const std::vector<float> fresh = PlayNoise(effect);
    EXPECT_EQ(fresh, PlayNoise(chosen));
    EXPECT_GT(*std::max_element(fresh.begin(), fresh.end()), 0.1f);
    chosen->dispatcher(chosen, effClose, 0, 0, nullptr, 0.0f);
}

// Before the host opens the effect, what processing would apply is what the host reads.
TEST_F(EntryPoint, CurrentValuesStartAsTheParameters)
{
    const ProgramParameters& values = Plugin().CurrentValues();
    for (int index = 0; index < kWorkingParamCount; ++index)
        EXPECT_EQ(values.Get(index), Plugin().GetParam(index)->Value()) << index;
    EXPECT_EQ(values.named[0].fileKey, "LimiterLevel");
}

TEST(ParameterDefinitions, EveryRecordHoldsItsDefinition)
{
    const struct
    {
        int index;
        const char* name;
        const char* group;
        const char* label;
        int precision;
    } cases[] = {
        {0, "Input Volume", "Input", "", 3},
        {3, "Input Saturation Mode", "Input", "", 6},
        {4, "Input Mono/Stereo Mode", "Input", "", 1},
        {25, "Filter Cutoff Frequency", "Disto-Band Filter", "Hz", 3},
        {48, "Sub-Band Filter Slope", "Sub-Band Processor", "", 2},
        {52, "Bypass All Effect Units", "", "", 0},
        {58, "Output Low-Pass/High-Pass Filter Slope", "Output", "", 0},
        {64, "Auto Make-Up", "Output", "", 1},
        {65, "Reserved Parameter 00", "Reserved Group", "", 3},
        {84, "Reserved Parameter 19", "Reserved Group", "", 3},
    };
    Zarvotone plugin(nullptr);
    for (const auto& c : cases)
    {
        const IParameter* param = plugin.GetParam(c.index);
        EXPECT_STREQ(param->Name(), c.name) << c.index;
        EXPECT_STREQ(param->Group(), c.group) << c.index;
        EXPECT_STREQ(param->Label(), c.label) << c.index;
        EXPECT_EQ(param->DisplayPrecision(), c.precision) << c.index;
    }
    // The definitions' defaults stay the records' defaults; the values are the first program's.
    for (int index = 0; index < kTotalParamCount; ++index)
    {
        const IParameter* param = plugin.GetParam(index);
        const double definedDefault = index < kFirstReservedParam ? GetParameterDefinition(index).defaultValue : 0.0;
        EXPECT_EQ(param->Type(), kParamTypeDouble) << index;
        EXPECT_EQ(param->Default(), definedDefault) << index;
        EXPECT_EQ(param->Maximum(), 1.0) << index;
        if (index != kParamLimiterLevel)
        {
            EXPECT_EQ(param->NormalizedOf(param->Default()), param->Default()) << index;
        }
    }
    const IParameter* limiterLevel = plugin.GetParam(kParamLimiterLevel);
    EXPECT_NEAR(limiterLevel->NormalizedOf(limiterLevel->Default()), 0.706778448361457, 1e-15);
    // Not a multiple of its step, and kept as it is: continuous values are never snapped.
    EXPECT_EQ(plugin.GetParam(kParamInputSaturationMode)->Value(), 0.5);
}

// What the start-up initialisation leaves in the units before any parameter arrives.
TEST(DspState, StartsWithTheInitialSettings)
{
    Zarvotone plugin(nullptr);
    ProcessingUnits& units = plugin.Units();
    for (Wezmark::Saturator* saturator : units.Saturators())
    {
        EXPECT_EQ(saturator->mixThreshold, 0.25);
        EXPECT_EQ(saturator->mixSlope, 4.0);
    }
    EXPECT_EQ(units.levelMeter.attackCoefficient, std::exp(-1.0 / (44100.0 * 0.01)));
    EXPECT_EQ(units.levelMeter.releaseCoefficient, std::exp(-1.0 / (44100.0 * 0.5)));
    EXPECT_EQ(plugin.Scope().capacity, 601);
    EXPECT_EQ(plugin.Scope().entries.size(), 601u);
    EXPECT_EQ(plugin.Config().Reserved[3], 5302.0);
    EXPECT_STREQ(plugin.Config().ProductName, "Zarvotone");
}

// Prepared for 44.1 kHz, the units pace their glides as the plug-in has them.
TEST(DspState, PreparedUnitsGlideAtThePluginsPaces)
{
    PluginRig rig;
    ProcessingUnits& units = rig.plugin.Units();
    for (const RateStages* stages : units.BothRates())
        EXPECT_EQ(stages->input.gainStep, 0.0010000000000000009);
    EXPECT_EQ(units.subBand.subGainSmoother.b, 0.022299999999999986);
}

TEST(HostText, NamesTheHostOrUnknown)
{
    const struct
    {
        int id;
        const char* name;
    } cases[] = {{-1, "Unknown"}, {0, "Unknown"}, {1, "Reaper"},      {10, "Unknown"}, {11, "Unknown"},
                 {12, "Unknown"}, {19, "Unknown"}, {23, "DigitalPerformer"}, {27, "VST3PluginTestHost"},
                 {30, "OpenMPT"}, {31, "Unknown"}};
    for (const auto& c : cases)
        EXPECT_STREQ(GetHostDisplayName(c.id), c.name) << c.id;
}

TEST(HostText, DescribesHostAndBuild)
{
    const struct
    {
        const char* product;
        const char* text;
    } cases[] = {{"REAPER", "VST Plugin Host: Reaper (WIN 64-bit)"},
                 {"", "VST Plugin Host: Unknown (WIN 64-bit)"},
                 {"Some Tracker", "VST Plugin Host: Unknown (WIN 64-bit)"}};
    for (const auto& c : cases)
    {
        FakeHost host;
        host.productString = c.product;
        PluginRig rig(PluginRig::kBlock, &FakeHost::Callback);
        EXPECT_EQ(rig.plugin.GetHostText(), c.text) << c.product;
    }
}

TEST(VersionTexts, CarryNameAndFullVersion)
{
    const Wezmark::VersionInfo version;
    EXPECT_EQ(version.shortVersion, "Zarvotone 1.1");
    EXPECT_EQ(version.longVersion, "Zarvotone 1.1.0.5302 ");
    EXPECT_EQ(version.fullVersion, "Wezmark Zarvotone Version 1.1.0.5302");
}
}
