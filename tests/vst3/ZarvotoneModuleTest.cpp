// The effect itself in the module file, as a VST3 host meets it: its parameter list, texts,
// units, programs and state stream.

#include "tests/vst3/TestHostApplication.h"
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

#include <cmath>
#include <cstring>
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
        {25, u"Filter Cutoff Frequency", u"Hz", 1.0, 3},
        {30, u"Disto-Band EQ On/Off", u"", 1.0, 4},
        {35, u"Sub-Band/Disto-Band On/Off", u"", 1.0, 5},
        {41, u"Sub-Band EQ On/Off", u"", 1.0, 6},
        {47, u"Sub-Band Cutoff Frequency", u"", 0.38915574457972946, 5},
        {52, u"Bypass All Effect Units", u"", 0.0, 0},
        {59, u"Output Limiter Level", u"", 0.706778448361457, 7},
        {63, u"Output Volume", u"", 0.251188643150958, 7},
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
        {0, 1.0, u"1.000"}, {3, 0.5, u"0.500000"}, {48, 0.25, u"0.25"}, {58, 1.0, u"1"}, {59, 0.0, u"0.004"},
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
    for (const Reading& r : {Reading{0, u"0.5", 0.5}, Reading{0, u"7", 1.0}, Reading{0, u"x", 0.0},
                             Reading{59, u"0", 0.0}})
    {
        std::u16string text = r.text;
        double normalized = -1.0;
        EXPECT_EQ(effect.controller->getParamValueByString(r.id, text.data(), normalized), Vst3::kResultOk);
        EXPECT_NEAR(normalized, r.normalized, 1e-12) << r.id;
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
}
