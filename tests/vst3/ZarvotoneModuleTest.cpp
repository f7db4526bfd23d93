// The effect itself in the module file, as a VST3 host meets it: its parameter list, texts,
// units, programs and state stream.

#include "framework/vst2/Vst2Abi.h"
#include "framework/vst2/Vst2Constants.h"
#include "tests/vst3/TestHostApplication.h"
#include "tests/vst3/TestParameterChanges.h"
#include "tests/vst3/TestStream.h"
#include "vst3/abi/IAudioProcessor.h"
#include "vst3/abi/IComponent.h"
#include "vst3/abi/IEditController.h"
#include "vst3/abi/IClassFactory.h"
#include "vst3/abi/IUnitInfo.h"
#include "vst3/abi/ResultCodes.h"
#include "vst3/abi/Vst3Constants.h"

#include <gtest/gtest.h>

#include <dlfcn.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <numbers>
#include <string>
#include <vector>

namespace
{
constexpr Vst3::ParamID kProgram = 0x70727374;
constexpr Vst3::ParamID kBypass = 0x62706173;
constexpr size_t kStateBlockSize = 22264;

// The module loaded from its bundle, with one initialised instance of the effect.
class LoadedEffect
{
public:
    LoadedEffect()
    {
        mLibrary = dlopen(ZV_MODULE_FILE, RTLD_NOW | RTLD_LOCAL);
        if (!mLibrary)
            return;
        using GetFactory = Vst3::IClassFactory* (*)();
        const auto getFactory = reinterpret_cast<GetFactory>(dlsym(mLibrary, "GetPluginFactory"));
        mFactory = getFactory ? getFactory() : nullptr;
        Vst3::PClassInfo info{};
        if (!mFactory || mFactory->getClassInfo(0, &info) != Vst3::kResultOk)
            return;
        void* object = nullptr;
        if (mFactory->createInstance(info.cid, Vst3::IComponent::kIid.bytes, &object) != Vst3::kResultOk)
            return;
        component = static_cast<Vst3::IComponent*>(object);
        component->queryInterface(Vst3::IEditController::kIid.bytes, &object);
        controller = static_cast<Vst3::IEditController*>(object);
        component->queryInterface(Vst3::IUnitInfo::kIid.bytes, &object);
        units = static_cast<Vst3::IUnitInfo*>(object);
        component->initialize(&mHost);
    }

    ~LoadedEffect()
    {
        if (component)
        {
            component->terminate();
            units->release();
            controller->release();
            component->release();
        }
        if (mFactory)
            mFactory->release();
        if (mLibrary)
            dlclose(mLibrary);
    }

    LoadedEffect(const LoadedEffect&) = delete;
    LoadedEffect& operator=(const LoadedEffect&) = delete;

    std::vector<uint8_t> State()
    {
        TestStream stream;
        EXPECT_EQ(component->getState(&stream), Vst3::kResultOk);
        return stream.bytes;
    }

    Vst3::IComponent* component = nullptr;
    Vst3::IEditController* controller = nullptr;
    Vst3::IUnitInfo* units = nullptr;

private:
    TestHostApplication mHost;
    void* mLibrary = nullptr;
    Vst3::IClassFactory* mFactory = nullptr;
};

Vst3::ParameterInfo Info(LoadedEffect& effect, Vst3::int32 index)
{
    Vst3::ParameterInfo info{};
    EXPECT_EQ(effect.controller->getParameterInfo(index, info), Vst3::kResultOk) << index;
    return info;
}

TEST(ZarvotoneModule, ParameterListInOrder)
{
    LoadedEffect effect;
    ASSERT_NE(effect.component, nullptr);
    ASSERT_EQ(effect.controller->getParameterCount(), 87);
    EXPECT_EQ(Info(effect, 0).id, kProgram);
    EXPECT_EQ(Info(effect, 1).id, kBypass);

    // The defaults are preset 0's values.
    struct Case
    {
        Vst3::ParamID id;
        const char16_t* title;
        const char16_t* units;
        double defaultNormalized;
        Vst3::int32 unitId;
    };
    const Case cases[] = {
        {0, u"Input Volume", u"", 1.0, 1},
        {4, u"Input Mono/Stereo Mode", u"", 0.0, 1},
        {5, u"Bit-Crash Quantization", u"", 1.0, 2},
        {22, u"Filter Unit On/Off", u"", 1.0, 3},
        {25, u"Filter Cutoff Frequency", u"", 1.0, 3},
        {30, u"Disto-Band EQ On/Off", u"", 1.0, 4},
        {35, u"Sub-Band/Disto-Band On/Off", u"", 0.0, 5},
        {41, u"Sub-Band EQ On/Off", u"", 1.0, 6},
        {47, u"Sub-Band Cutoff Frequency", u"", 0.38915574457972946, 5},
        {52, u"Bypass All Effect Units", u"", 0.0, 0},
        {59, u"Output Limiter Level", u"", 0.706778448361457, 7},
        {63, u"Output Volume", u"", 1.0, 7},
        {65, u"Reserved Parameter 00", u"", 0.0, 8},
        {84, u"Reserved Parameter 19", u"", 0.0, 8},
    };
    for (const Case& c : cases)
    {
        const Vst3::ParameterInfo info = Info(effect, static_cast<Vst3::int32>(c.id) + 2);
        EXPECT_EQ(info.id, c.id);
        EXPECT_EQ(std::u16string(info.title), c.title) << c.id;
        EXPECT_EQ(std::u16string(info.units), c.units) << c.id;
        EXPECT_EQ(info.stepCount, 0) << c.id;
        EXPECT_NEAR(info.defaultNormalizedValue, c.defaultNormalized, 1e-12) << c.id;
        EXPECT_EQ(info.unitId, c.unitId) << c.id;
        EXPECT_EQ(info.flags, Vst3::kParamCanAutomate) << c.id;
    }
    EXPECT_EQ(effect.units->getUnitCount(), 9);
}

// A host that takes the declared defaults for the values of a new instance, and reads the
// values only after a state or a restart, starts from what processing applies: preset 0's.
TEST(ZarvotoneModule, DeclaredDefaultsAreTheValuesOfANewInstance)
{
    LoadedEffect effect;
    ASSERT_NE(effect.component, nullptr);
    for (Vst3::int32 index = 0; index < effect.controller->getParameterCount(); ++index)
    {
        const Vst3::ParameterInfo info = Info(effect, index);
        EXPECT_EQ(info.defaultNormalizedValue, effect.controller->getParamNormalized(info.id)) << info.id;
    }
}

// The VST2 plug-in file with one opened instance.
class OpenedVst2Effect
{
public:
    OpenedVst2Effect()
    {
        mLibrary = dlopen(ZV_PLUGIN_FILE, RTLD_NOW | RTLD_LOCAL);
        const auto entry = mLibrary ? reinterpret_cast<VstPluginMainProc>(dlsym(mLibrary, "VSTPluginMain")) : nullptr;
        effect = entry ? entry(&Silent) : nullptr;
        if (effect)
            Dispatch(effOpen);
    }

    ~OpenedVst2Effect()
    {
        if (effect)
            Dispatch(effClose);
        if (mLibrary)
            dlclose(mLibrary);
    }

    OpenedVst2Effect(const OpenedVst2Effect&) = delete;
    OpenedVst2Effect& operator=(const OpenedVst2Effect&) = delete;

    VstIntPtr Dispatch(VstInt32 opcode, VstInt32 index = 0, VstIntPtr value = 0, void* ptr = nullptr)
    {
        return effect->dispatcher(effect, opcode, index, value, ptr, 0.0f);
    }

    // The state block of the program chunk, without its header.
    std::vector<uint8_t> StateBlock()
    {
        constexpr size_t kHeaderSize = 8;
        void* data = nullptr;
        const VstIntPtr size = Dispatch(effGetChunk, 1, 0, &data);
        const auto* bytes = static_cast<const uint8_t*>(data);
        return size > static_cast<VstIntPtr>(kHeaderSize) ? std::vector<uint8_t>(bytes + kHeaderSize, bytes + size)
                                                          : std::vector<uint8_t>{};
    }

    AEffect* effect = nullptr;

private:
    static VstIntPtr Silent(AEffect*, VstInt32, VstInt32, VstIntPtr, void*, float) { return 0; }

    void* mLibrary = nullptr;
};

std::u16string Widened(const char* text)
{
    return std::u16string(text, text + std::strlen(text));
}

double StoredValue(const std::vector<uint8_t>& block, int index)
{
    constexpr size_t kValuesOffset = kStateBlockSize - 85 * sizeof(double);
    double value = 0.0;
    std::memcpy(&value, block.data() + kValuesOffset + sizeof(double) * static_cast<size_t>(index), sizeof value);
    return value;
}

// For a new instance and after every program, both bindings hand hosts the same normalised
// values and texts and save the same state; the VST3 plain value is the value that state holds.
TEST(ZarvotoneModule, EveryProgramReadsTheSameThroughBothBindings)
{
    LoadedEffect vst3;
    OpenedVst2Effect vst2;
    ASSERT_NE(vst3.component, nullptr);
    ASSERT_NE(vst2.effect, nullptr);
    constexpr int kNewInstance = -1;
    for (int program = kNewInstance; program < 128; ++program)
    {
        if (program != kNewInstance)
        {
            vst2.Dispatch(effSetProgram, 0, program);
            ASSERT_EQ(vst3.controller->setParamNormalized(kProgram, program / 128.0), Vst3::kResultOk) << program;
        }
        ASSERT_EQ(vst2.Dispatch(effGetProgram), program == kNewInstance ? 0 : program);
        const std::vector<uint8_t> block = vst2.StateBlock();
        std::vector<uint8_t> state = vst3.State();
        ASSERT_EQ(state.size(), kStateBlockSize + 4) << program;
        state.resize(kStateBlockSize);
        EXPECT_EQ(block, state) << program;
        for (Vst3::ParamID id = 0; id < 85; ++id)
        {
            const int index = static_cast<int>(id);
            const double normalised = vst3.controller->getParamNormalized(id);
            EXPECT_EQ(vst2.effect->getParameter(vst2.effect, index), static_cast<float>(normalised))
                << "program " << program << ", parameter " << index;
            EXPECT_DOUBLE_EQ(vst3.controller->normalizedParamToPlain(id, normalised), StoredValue(block, index))
                << "program " << program << ", parameter " << index;
            char display[64] = {};
            vst2.Dispatch(effGetParamDisplay, index, 0, display);
            Vst3::String128 text = {};
            EXPECT_EQ(vst3.controller->getParamStringByValue(id, normalised, text), Vst3::kResultOk);
            EXPECT_EQ(std::u16string(text), Widened(display)) << "program " << program << ", parameter " << index;
        }
    }
}

// What a host shows: the editor's texts, with their units and names, for a new instance's values
// (program 0) and a few others; bare numbers still read as the value itself.
TEST(ZarvotoneModule, ParameterTexts)
{
    LoadedEffect effect;
    ASSERT_NE(effect.component, nullptr);
    struct Case
    {
        Vst3::ParamID id;
        double normalized;
        const char16_t* text;
    };
    const Case cases[] = {
        {0, 1.0, u"0.00 dB"},
        {1, 0.5, u"0.000"},
        {2, 0.25, u"25.0%"},
        {3, 0.5, u"MEDIUM"},
        {4, 0.5, u"Mono Mix (L+R)"},
        {5, 1.0, u"64.0bit"},
        {6, 0.5, u"5512Hz"},
        {7, 0.0, u"-oodB"},
        {8, 0.0, u"OFF"},
        {9, 0.25, u"0.250"},
        {12, 1.0, u"[hermite interpolation]"},
        {13, 0.5, u"POS"},
        {22, 0.3, u"ON"},
        {25, 1.0, u"21000.0Hz"},
        {25, 0.0, u"20.0Hz"},
        {27, 28.0 / 30.0, u"Butterworth LowPass 12dB"},
        {31, 0.5, u"0.00 dB"},
        {46, 0.5, u"UNLINKED"},
        {47, 0.38915574457972946, u"200.0Hz"},
        {48, 0.25, u"12 dB"},
        {52, 0.3, u"30.0%"},
        {53, 0.75, u"0.500"},
        {56, 0.5, u"20.0Hz-20000.0Hz"},
        {57, 0.5, u"20 Hz"},
        {58, 1.0, u"24 dB"},
        {59, 0.0, u"-48.00 dB"},
        {59, 0.706778448361457, u"-3.00 dB"},
        {60, 1.0, u"HARD"},
        {61, 1.0, u"OS 8x"},
        {63, 0.0, u"-inf dB"},
        {64, 0.5, u"OFF"},
    };
    for (const Case& c : cases)
    {
        Vst3::String128 text = {};
        EXPECT_EQ(effect.controller->getParamStringByValue(c.id, c.normalized, text), Vst3::kResultOk);
        EXPECT_EQ(std::u16string(text), c.text) << c.id;
    }
    struct Reading
    {
        Vst3::ParamID id;
        const char16_t* text;
        double normalized;
    };
    const Reading readings[] = {
        {0, u"0.5", 0.5},           {0, u"7", 1.0},        {0, u"x", 0.0},         {59, u"0", 0.0},
        {0, u"-6.0206 dB", 0.5},    {3, u" hard ", 1.0},   {22, u"On", 1.0},       {22, u"0.3", 0.3},
        {53, u"-1", 0.0},           {1, u"0.5", 0.75},     {48, u"48 DB", 1.0},    {2, u"50%", 0.5},
        {27, u"butterworth lowpass 12db", 28.0 / 30.0}, {63, u"-inf dB", 0.0},
    };
    for (const Reading& r : readings)
    {
        std::u16string text = r.text;
        double normalized = -1.0;
        EXPECT_EQ(effect.controller->getParamValueByString(r.id, text.data(), normalized), Vst3::kResultOk);
        EXPECT_NEAR(normalized, r.normalized, 1e-6) << r.id;
    }
}

// Every working parameter at its ends, its quarters and program 0's value: both bindings show
// the same text, VST2 with no label beside it, and each reads its text back to the same text.
TEST(ZarvotoneModule, EveryParameterTextReadsBackThroughBothBindings)
{
    LoadedEffect vst3;
    OpenedVst2Effect vst2;
    ASSERT_NE(vst3.component, nullptr);
    ASSERT_NE(vst2.effect, nullptr);
    for (Vst3::ParamID id = 0; id < 65; ++id)
    {
        const int index = static_cast<int>(id);
        for (const double wanted : {0.0, 0.25, 0.5, 0.75, 1.0, vst3.controller->getParamNormalized(id)})
        {
            vst2.effect->setParameter(vst2.effect, index, static_cast<float>(wanted));
            // The value VST2 holds, a float, for both.
            const double normalised = vst2.effect->getParameter(vst2.effect, index);
            ASSERT_EQ(vst3.controller->setParamNormalized(id, normalised), Vst3::kResultOk);
            SCOPED_TRACE(testing::Message() << "parameter " << index << " at " << normalised);

            char display[64] = {};
            vst2.Dispatch(effGetParamDisplay, index, 0, display);
            Vst3::String128 text = {};
            ASSERT_EQ(vst3.controller->getParamStringByValue(id, normalised, text), Vst3::kResultOk);
            EXPECT_EQ(std::u16string(text), Widened(display));
            char label[64] = "poison";
            vst2.Dispatch(effGetParamLabel, index, 0, label);
            EXPECT_STREQ(label, "");

            std::string shown = display;
            EXPECT_EQ(vst2.Dispatch(effString2Parameter, index, 0, shown.data()), 1);
            char again[64] = {};
            vst2.Dispatch(effGetParamDisplay, index, 0, again);
            EXPECT_EQ(std::string(again), shown);

            double read = -1.0;
            ASSERT_EQ(vst3.controller->getParamValueByString(id, text, read), Vst3::kResultOk);
            Vst3::String128 back = {};
            ASSERT_EQ(vst3.controller->getParamStringByValue(id, read, back), Vst3::kResultOk);
            EXPECT_EQ(std::u16string(back), std::u16string(text));
        }
    }
}

TEST(ZarvotoneModule, FactoryProgramsAreTheProgramList)
{
    LoadedEffect effect;
    ASSERT_NE(effect.component, nullptr);
    Vst3::ProgramListInfo list{};
    ASSERT_EQ(effect.units->getProgramListInfo(0, list), Vst3::kResultOk);
    EXPECT_EQ(list.programCount, 128);
    Vst3::String128 name = {};
    EXPECT_EQ(effect.units->getProgramName(static_cast<Vst3::int32>(kProgram), 0, name), Vst3::kResultOk);
    EXPECT_NE(name[0], u'\0');
}

TEST(ZarvotoneModule, StateStreamIsTheBlockAndTheBypassFlag)
{
    LoadedEffect source;
    ASSERT_NE(source.component, nullptr);
    ASSERT_EQ(source.controller->setParamNormalized(9, 0.75), Vst3::kResultOk);
    const std::vector<uint8_t> state = source.State();
    ASSERT_EQ(state.size(), kStateBlockSize + 4);
    int32_t marker = 0;
    std::memcpy(&marker, state.data(), sizeof marker);
    EXPECT_EQ(marker, 5192);
    EXPECT_EQ(std::vector<uint8_t>(state.end() - 4, state.end()), (std::vector<uint8_t>{0, 0, 0, 0}));

    LoadedEffect target;
    TestStream stream(state);
    ASSERT_EQ(target.controller->setState(&stream), Vst3::kResultOk);
    EXPECT_EQ(target.controller->getParamNormalized(9), 0.75);
    EXPECT_EQ(target.State(), state);

    TestStream shortStream(std::vector<uint8_t>(state.begin(), state.end() - 5));
    EXPECT_EQ(target.component->setState(&shortStream), Vst3::kResultFalse);
}

// Automation as a host writes it: a ramp of one parameter, a point every kRampStep frames, the
// values exactly floats so that both bindings receive the same numbers.
constexpr double kRate = 44100.0;
constexpr int kRampFrames = 16384;
constexpr int kRampStart = 1500;
constexpr int kRampStep = 100;
constexpr int kRampPoints = 100;

struct RampPoint
{
    int frame;
    double value;
};

std::vector<RampPoint> Ramp(double from, double to)
{
    std::vector<RampPoint> ramp;
    for (int k = 0; k <= kRampPoints; ++k)
    {
        const double value = static_cast<float>(from + (to - from) * k / kRampPoints);
        ramp.push_back({kRampStart + k * kRampStep, value});
    }
    return ramp;
}

using Channels = std::vector<std::vector<double>>;

Channels Tone()
{
    Channels tone(2, std::vector<double>(kRampFrames));
    for (int i = 0; i < kRampFrames; ++i)
    {
        tone[0][static_cast<size_t>(i)] = 0.5 * std::sin(2.0 * std::numbers::pi * 200.0 * i / kRate);
        tone[1][static_cast<size_t>(i)] = 0.5 * std::sin(2.0 * std::numbers::pi * 200.0 * i / kRate + 1.0);
    }
    return tone;
}

// Through the module's processor in host blocks of `block` frames, each block's points in its
// queue at their offsets.
Channels RenderVst3(Vst3::ParamID id, const std::vector<RampPoint>& ramp, int block)
{
    LoadedEffect effect;
    void* object = nullptr;
    EXPECT_EQ(effect.component->queryInterface(Vst3::IAudioProcessor::kIid.bytes, &object), Vst3::kResultOk);
    auto* processor = static_cast<Vst3::IAudioProcessor*>(object);
    for (Vst3::int32 direction : {Vst3::kDirectionInput, Vst3::kDirectionOutput})
        effect.component->activateBus(Vst3::kMediaTypeAudio, direction, 0, 1);
    Vst3::ProcessSetup setup{Vst3::kProcessModeRealtime, Vst3::kSampleSize64, block, kRate};
    EXPECT_EQ(processor->setupProcessing(setup), Vst3::kResultOk);
    effect.component->setActive(1);

    Channels input = Tone();
    Channels output(2, std::vector<double>(kRampFrames));
    for (int start = 0; start < kRampFrames; start += block)
    {
        const int frames = std::min(block, kRampFrames - start);
        TestParameterChanges changes;
        for (const RampPoint& point : ramp)
        {
            if (point.frame >= start && point.frame < start + frames)
                changes.Add(id, point.value, point.frame - start);
        }
        double* in[2] = {input[0].data() + start, input[1].data() + start};
        double* out[2] = {output[0].data() + start, output[1].data() + start};
        Vst3::AudioBusBuffers inBus{};
        inBus.numChannels = 2;
        inBus.channelBuffers64 = in;
        Vst3::AudioBusBuffers outBus{};
        outBus.numChannels = 2;
        outBus.channelBuffers64 = out;
        Vst3::ProcessData data{};
        data.processMode = Vst3::kProcessModeRealtime;
        data.symbolicSampleSize = Vst3::kSampleSize64;
        data.numSamples = frames;
        data.numInputs = 1;
        data.numOutputs = 1;
        data.inputs = &inBus;
        data.outputs = &outBus;
        data.inputParameterChanges = &changes;
        EXPECT_EQ(processor->process(data), Vst3::kResultOk);
    }
    effect.component->setActive(0);
    processor->release();
    return output;
}

VstIntPtr SilentHost(AEffect*, VstInt32, VstInt32, VstIntPtr, void*, float)
{
    return 0;
}

// Through the VST2 plug-in file, as a VST2 host automates: the block split at each point's
// frame and the value set between the two parts.
Channels RenderVst2(int index, const std::vector<RampPoint>& ramp, int block)
{
    Channels output(2, std::vector<double>(kRampFrames));
    void* library = dlopen(ZV_PLUGIN_FILE, RTLD_NOW | RTLD_LOCAL);
    EXPECT_NE(library, nullptr) << dlerror();
    if (!library)
        return output;
    const auto entry = reinterpret_cast<VstPluginMainProc>(dlsym(library, "VSTPluginMain"));
    AEffect* effect = entry(&SilentHost);
    effect->dispatcher(effect, effOpen, 0, 0, nullptr, 0.0f);
    // As the VST3 binding's initialize does.
    effect->dispatcher(effect, effSetProgram, 0, 0, nullptr, 0.0f);
    effect->dispatcher(effect, effSetSampleRate, 0, 0, nullptr, static_cast<float>(kRate));
    effect->dispatcher(effect, effSetBlockSize, 0, block, nullptr, 0.0f);
    effect->dispatcher(effect, effMainsChanged, 0, 1, nullptr, 0.0f);

    Channels input = Tone();
    size_t next = 0;
    for (int start = 0; start < kRampFrames;)
    {
        while (next < ramp.size() && ramp[next].frame <= start)
            effect->setParameter(effect, index, static_cast<float>(ramp[next++].value));
        const int end = std::min({start + block, kRampFrames, next < ramp.size() ? ramp[next].frame : kRampFrames});
        double* in[2] = {input[0].data() + start, input[1].data() + start};
        double* out[2] = {output[0].data() + start, output[1].data() + start};
        effect->processDoubleReplacing(effect, in, out, end - start);
        start = end;
    }
    effect->dispatcher(effect, effMainsChanged, 0, 0, nullptr, 0.0f);
    effect->dispatcher(effect, effClose, 0, 0, nullptr, 0.0f);
    dlclose(library);
    return output;
}

// How far `render` strays from `reference`, in dB of the reference's peak.
double DeviationDb(const Channels& render, const Channels& reference)
{
    double peak = 0.0;
    double largest = 0.0;
    for (size_t c = 0; c < reference.size(); ++c)
    {
        for (size_t i = 0; i < reference[c].size(); ++i)
        {
            peak = std::max(peak, std::fabs(reference[c][i]));
            largest = std::max(largest, std::fabs(render[c][i] - reference[c][i]));
        }
    }
    return largest == 0.0 ? -400.0 : 20.0 * std::log10(largest / peak);
}

// A ramp delivered as queue points sounds the same at any host block size, and the same as the
// VST2 plug-in automated at the same frames.
TEST(ZarvotoneModule, AutomationSoundsTheSameAtAnyBlockSizeAndInBothBindings)
{
    struct Case
    {
        const char* name;
        Vst3::ParamID id;
        double from;
        double to;
    };
    const Case cases[] = {
        {"output volume", 63, 0.25, 0.05},
        {"dry/wet", 62, 1.0, 0.2},
        {"panning", 53, 0.5, 0.9},
        {"input volume", 0, 1.0, 0.3},
        {"filter cutoff", 25, 1.0, 0.45},
        {"distortion amount", 9, 0.1, 0.9},
    };
    constexpr double kLimitDb = -80.0;
    for (const Case& c : cases)
    {
        const std::vector<RampPoint> ramp = Ramp(c.from, c.to);
        const Channels large = RenderVst3(c.id, ramp, 2048);
        EXPECT_LT(DeviationDb(RenderVst3(c.id, ramp, 32), large), kLimitDb) << c.name << ": blocks of 32";
        EXPECT_LT(DeviationDb(RenderVst2(static_cast<int>(c.id), ramp, 512), large), kLimitDb) << c.name << ": VST2";
    }
}
}
