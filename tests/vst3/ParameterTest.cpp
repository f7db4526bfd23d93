#include "tests/vst3/HostedEffect.h"
#include "vst3/IEffectParameter.h"
#include "vst3/abi/ResultCodes.h"
#include "vst3/abi/Vst3Constants.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <memory>
#include <string>

namespace
{
struct ReleaseParameter
{
    void operator()(Vst3::Parameter* parameter) const { parameter->ReleaseReference(); }
};
using ParameterRef = std::unique_ptr<IEffectParameter, ReleaseParameter>;

// Records of the kinds a product defines, each with its own wrapper.
struct Records
{
    Records()
    {
        gain.InitContinuous("Gain", 1.0, 0.0, 2.0, 0.01, "x", "Level", 1.0);
        mode.InitContinuous("Mode", 0.0, 0.0, 3.0, 1.0, "mode", "Shape", 1.0);
        mode.AddDisplayText(0, "Soft");
        mode.AddDisplayText(1, "Hard");
        mode.AddDisplayText(2, "");
        mode.AddDisplayText(3, "Max");
        trim.InitContinuous("Trim", 0.0, -12.0, 12.0, 0.01, "dB", "Level", 1.0);
        trim.SetNegateDisplay(true);
        curve.InitContinuous("Curve", 25.0, 0.0, 100.0, 0.1, "%", "", 2.0);
    }

    IParameter gain;
    IParameter mode;
    IParameter trim;
    IParameter curve;
    IParameter undefined;
};

std::u16string Text(const Vst3::Parameter& parameter, double normalized)
{
    Vst3::String128 text;
    parameter.ToString(normalized, text);
    return text;
}

TEST(EffectParameter, DescribesItsRecord)
{
    Records records;
    struct Case
    {
        const char* name;
        const IParameter& record;
        const char16_t* title;
        const char16_t* units;
        Vst3::int32 stepCount;
        double defaultNormalized;
        Vst3::int32 precision;
    };
    const Case cases[] = {
        {"gain", records.gain, u"Gain", u"x", 0, 0.75, 2},
        {"mode shows a text for its value", records.mode, u"Mode", u"", 0, 0.0, 0},
        {"trim", records.trim, u"Trim", u"dB", 0, 0.5, 2},
        {"curve with shape 2", records.curve, u"Curve", u"%", 0, 0.5, 1},
        {"undefined steps by its range", records.undefined, u"", u"", 1, 0.0, 0},
    };
    // The value the record holds is the default: a new instance's value, as hosts take it.
    records.gain.SetPlain(1.5);
    for (const Case& c : cases)
    {
        const ParameterRef parameter(new IEffectParameter(&c.record, 7, 3));
        const Vst3::ParameterInfo& info = parameter->Info();
        EXPECT_EQ(info.id, 7u) << c.name;
        EXPECT_EQ(std::u16string(info.title), c.title) << c.name;
        EXPECT_EQ(std::u16string(info.shortTitle), u"") << c.name;
        EXPECT_EQ(std::u16string(info.units), c.units) << c.name;
        EXPECT_EQ(info.stepCount, c.stepCount) << c.name;
        EXPECT_DOUBLE_EQ(info.defaultNormalizedValue, c.defaultNormalized) << c.name;
        EXPECT_EQ(info.unitId, 3) << c.name;
        EXPECT_EQ(info.flags, Vst3::kParamCanAutomate) << c.name;
        EXPECT_EQ(parameter->Precision(), c.precision) << c.name;
    }
    // A value without display text shows the label.
    records.mode.SetPlain(2.0);
    EXPECT_EQ(std::u16string(ParameterRef(new IEffectParameter(&records.mode, 1, 0))->Info().units), u"mode");
}

TEST(EffectParameter, ToStringShowsTheTextForTheTruncatedPlainValue)
{
    Records records;
    struct Case
    {
        const IParameter& record;
        double normalized;
        const char16_t* text;
    };
    const Case cases[] = {
        {records.mode, 0.0, u"Soft"},
        {records.mode, 1.0 / 3.0, u"Hard"},
        {records.mode, 1.0 / 3.0 - 1e-9, u"Soft"},
        {records.mode, 2.0 / 3.0, u"2"},
        {records.mode, 1.0, u"Max"},
        {records.trim, 0.625, u"-3.00"},
        {records.trim, 0.0, u"12.00"},
        {records.gain, 0.5, u"1.00"},
        {records.curve, 0.5, u"25.0"},
    };
    for (const Case& c : cases)
    {
        const ParameterRef parameter(new IEffectParameter(&c.record, 0, 0));
        EXPECT_EQ(Text(*parameter, c.normalized), c.text) << c.record.Name() << " " << c.normalized;
    }
}

TEST(EffectParameter, FromStringReadsTheLeadingNumberWithinTheRange)
{
    Records records;
    struct Case
    {
        const IParameter& record;
        const char16_t* text;
        double normalized;
    };
    const Case cases[] = {
        {records.gain, u"1.5", 0.75},  {records.gain, u"3", 1.0},     {records.gain, u"-1", 0.0},
        {records.gain, u"abc", 0.0},   {records.gain, u"0.5x", 0.25}, {records.curve, u"25", 0.5},
        {records.mode, u"Hard", 0.0},  {records.trim, u"3", 0.625},
    };
    for (const Case& c : cases)
    {
        const ParameterRef parameter(new IEffectParameter(&c.record, 0, 0));
        double normalized = -1.0;
        EXPECT_TRUE(parameter->FromString(c.text, normalized));
        EXPECT_DOUBLE_EQ(normalized, c.normalized) << c.record.Name();
    }
}

TEST(EffectParameter, PlainConversionsFollowTheRecordsShape)
{
    Records records;
    const ParameterRef curve(new IEffectParameter(&records.curve, 0, 0));
    EXPECT_DOUBLE_EQ(curve->ToPlain(0.5), 25.0);
    EXPECT_DOUBLE_EQ(curve->ToNormalized(25.0), 0.5);
    EXPECT_DOUBLE_EQ(curve->ToNormalized(200.0), 1.0);
    const ParameterRef gain(new IEffectParameter(&records.gain, 0, 0));
    // No limit on the way to plain.
    EXPECT_DOUBLE_EQ(gain->ToPlain(1.2), 2.4);
    EXPECT_STREQ(gain->ClassName(), "IEffectParameter");
    for (const char* name : {"IEffectParameter", "Parameter", "FObject"})
        EXPECT_TRUE(gain->IsTypeOf(name)) << name;
}

TEST(ParameterList, ProgramAndBypassComeFirstThenEveryPluginParameter)
{
    HostedEffect effect;
    Vst3::IEditController* controller = effect.Controller();
    ASSERT_EQ(controller->getParameterCount(), 87);
    Vst3::ParameterInfo info{};

    ASSERT_EQ(controller->getParameterInfo(0, info), Vst3::kResultOk);
    EXPECT_EQ(info.id, IEffectVST3::kProgramParamId);
    EXPECT_EQ(std::u16string(info.title), u"Preset");
    EXPECT_EQ(std::u16string(info.units), u"");
    EXPECT_EQ(info.stepCount, 128);
    EXPECT_EQ(info.defaultNormalizedValue, 0.0);
    EXPECT_EQ(info.unitId, 0);
    EXPECT_EQ(info.flags, Vst3::kParamIsProgramChange);
    EXPECT_EQ(effect.Product().Container().At(0)->Precision(), 4);

    ASSERT_EQ(controller->getParameterInfo(1, info), Vst3::kResultOk);
    EXPECT_EQ(info.id, IEffectVST3::kBypassParamId);
    EXPECT_EQ(std::u16string(info.title), u"Bypass");
    EXPECT_EQ(info.stepCount, 1);
    EXPECT_EQ(info.defaultNormalizedValue, 0.0);
    EXPECT_EQ(info.flags, 0x10009);

    for (Vst3::int32 index = 2; index < 87; ++index)
    {
        ASSERT_EQ(controller->getParameterInfo(index, info), Vst3::kResultOk);
        EXPECT_EQ(info.id, static_cast<Vst3::ParamID>(index - 2));
    }
    EXPECT_EQ(controller->getParameterInfo(87, info), Vst3::kResultFalse);
    EXPECT_EQ(controller->getParameterInfo(-1, info), Vst3::kResultFalse);
}

TEST(ParameterList, BypassTextsFollowTheList)
{
    HostedEffect effect;
    const Vst3::Parameter* bypass = effect.Product().Container().Find(IEffectVST3::kBypassParamId);
    ASSERT_NE(bypass, nullptr);
    EXPECT_EQ(Text(*bypass, 0.0), u"off");
    EXPECT_EQ(Text(*bypass, 1.0), u"on");
    double normalized = 0.5;
    EXPECT_TRUE(bypass->FromString(u"on", normalized));
    EXPECT_EQ(normalized, 1.0);
    EXPECT_FALSE(bypass->FromString(u"On", normalized));
}

TEST(Controller, TextCalls)
{
    HostedEffect effect;
    Vst3::IEditController* controller = effect.Controller();
    Vst3::String128 text = {};
    EXPECT_EQ(controller->getParamStringByValue(RecordingProduct::kTrim, 0.625, text), Vst3::kResultOk);
    EXPECT_EQ(std::u16string(text), u"-3.00");
    EXPECT_EQ(controller->getParamStringByValue(RecordingProduct::kGain, 7.0, text), Vst3::kResultOk);
    EXPECT_EQ(std::u16string(text), u"2.00");
    for (Vst3::ParamID id : {IEffectVST3::kBypassParamId, IEffectVST3::kProgramParamId, Vst3::ParamID{85}})
        EXPECT_EQ(controller->getParamStringByValue(id, 0.5, text), Vst3::kResultFalse) << id;

    struct Case
    {
        Vst3::ParamID id;
        const char16_t* text;
        Vst3::tresult result;
        double normalized;
    };
    const Case cases[] = {
        {RecordingProduct::kGain, u"1.5", Vst3::kResultOk, 0.75},
        {IEffectVST3::kBypassParamId, u"on", Vst3::kResultOk, 1.0},
        {IEffectVST3::kBypassParamId, u"maybe", Vst3::kResultFalse, -1.0},
        {IEffectVST3::kProgramParamId, u"0.25", Vst3::kResultOk, 0.25},
        {4711, u"0.5", Vst3::kResultFalse, -1.0},
    };
    for (const Case& c : cases)
    {
        std::u16string input = c.text;
        double normalized = -1.0;
        EXPECT_EQ(controller->getParamValueByString(c.id, input.data(), normalized), c.result) << c.id;
        EXPECT_DOUBLE_EQ(normalized, c.normalized) << c.id;
    }
}

TEST(Controller, ValueConversions)
{
    HostedEffect effect;
    Vst3::IEditController* controller = effect.Controller();
    EXPECT_DOUBLE_EQ(controller->normalizedParamToPlain(RecordingProduct::kCurve, 0.5), 25.0);
    EXPECT_DOUBLE_EQ(controller->normalizedParamToPlain(IEffectVST3::kBypassParamId, 0.6), 1.0);
    EXPECT_DOUBLE_EQ(controller->normalizedParamToPlain(4711, 0.3), 0.3);
    EXPECT_DOUBLE_EQ(controller->plainParamToNormalized(RecordingProduct::kGain, 1.5), 0.75);
    EXPECT_DOUBLE_EQ(controller->plainParamToNormalized(RecordingProduct::kGain, 5.0), 1.0);
    EXPECT_DOUBLE_EQ(controller->plainParamToNormalized(RecordingProduct::kCurve, 25.0), 0.5);
    EXPECT_DOUBLE_EQ(controller->plainParamToNormalized(4711, 42.0), 42.0);
    EXPECT_DOUBLE_EQ(controller->getParamNormalized(RecordingProduct::kCurve), 0.5);
    EXPECT_EQ(controller->getParamNormalized(IEffectVST3::kProgramParamId), 0.0);
    EXPECT_EQ(controller->getParamNormalized(4711), 0.0);
}

TEST(Controller, SetParamNormalizedStoresPluginParametersAndTheBypassSwitch)
{
    const double kNaN = std::numeric_limits<double>::quiet_NaN();
    struct Case
    {
        const char* name;
        Vst3::ParamID id;
        double value;
        Vst3::tresult result;
        double stored;
    };
    const Case cases[] = {
        {"continuous", RecordingProduct::kGain, 0.3, Vst3::kResultOk, 0.6},
        {"above the range", RecordingProduct::kGain, 1.7, Vst3::kResultOk, 2.0},
        {"NaN", RecordingProduct::kGain, kNaN, Vst3::kResultFalse, 1.0},
        {"stepped rounds up", RecordingProduct::kUndefined, 0.6, Vst3::kResultOk, 1.0},
        {"stepped rounds down", RecordingProduct::kUndefined, 0.4, Vst3::kResultOk, 0.0},
        {"bypass", IEffectVST3::kBypassParamId, 1.0, Vst3::kResultOk, -1.0},
        {"unknown", 85, 0.5, Vst3::kResultFalse, -1.0},
    };
    for (const Case& c : cases)
    {
        HostedEffect effect;
        effect.Product().changedParams.clear();
        EXPECT_EQ(effect.Controller()->setParamNormalized(c.id, c.value), c.result) << c.name;
        if (const IParameter* record = effect.Product().GetParam(static_cast<int>(c.id)))
        {
            EXPECT_DOUBLE_EQ(record->Value(), c.stored) << c.name;
        }
        EXPECT_TRUE(effect.Product().changedParams.empty()) << c.name;
        // The switch is the one value of processor and controller alike.
        EXPECT_EQ(effect.Product().IsBypassed(), c.id == IEffectVST3::kBypassParamId) << c.name;
    }
}
}

// The program parameter on the controller loads the preset itself; the host reads the other
// values again once told, later, from its UI thread.
TEST(Controller, SetParamNormalizedOfTheProgramLoadsThePreset)
{
    const double kNaN = std::numeric_limits<double>::quiet_NaN();
    struct Case
    {
        double value;
        Vst3::tresult result;
        int preset;
    };
    for (const Case& c : {Case{0.0, Vst3::kResultOk, 0}, Case{64.0 / 128, Vst3::kResultOk, 64},
                          Case{126.0 / 127, Vst3::kResultOk, 126}, Case{1.0, Vst3::kResultOk, 127},
                          Case{kNaN, Vst3::kResultFalse, 9}})
    {
        HostedEffect effect;
        ASSERT_TRUE(effect.Product().SelectPreset(9));
        EXPECT_EQ(effect.Controller()->setParamNormalized(IEffectVST3::kProgramParamId, c.value), c.result) << c.value;
        EXPECT_EQ(effect.Product().GetCurrentPreset(), c.preset) << c.value;
        EXPECT_DOUBLE_EQ(effect.Product().GetParam(RecordingProduct::kGain)->Value(),
                         RecordingProduct::PresetGain(c.preset))
            << c.value;
    }
}
