#include "vst3/IEffectParameter.h"

#include "vst3/abi/Vst3Constants.h"
#include "vst3/base/Utf16Text.h"

#include <cstdlib>
#include <cstring>

namespace
{
constexpr char kClassName[] = "IEffectParameter";

Vst3::ParameterInfo Describe(const IParameter& record, Vst3::ParamID id, Vst3::int32 unitId, const IEffectBase* plug)
{
    Vst3::ParameterInfo info{};
    info.id = id;
    Vst3::WidenText(record.Name(), info.title, Vst3::kString128Size);
    const char* label = plug ? plug->ParamLabelForHost(static_cast<int>(id)) : record.GetLabelForHost();
    Vst3::WidenText(label, info.units, Vst3::kString128Size);
    info.stepCount =
        record.Type() == kParamTypeDouble ? 0 : static_cast<Vst3::int32>(record.Maximum() - record.Minimum());
    // Hosts take the default for the value of a new instance, which holds the values its first
    // program gave the record, and read the value itself only after a state or a restart.
    info.defaultNormalizedValue = record.GetNormalized();
    info.unitId = unitId;
    info.flags = record.CanAutomate() ? Vst3::kParamCanAutomate : 0;
    return info;
}
}

IEffectParameter::IEffectParameter(const IParameter* record, Vst3::ParamID id, Vst3::int32 unitId,
                                   const IEffectBase* plug)
    : Vst3::Parameter(Describe(*record, id, unitId, plug), record->DisplayPrecision()), mRecord(record), mPlug(plug)
{
}

void IEffectParameter::FormatValue(const IParameter& record, const IEffectBase* plug, int index, double normalized,
                                   Vst3::String128 text)
{
    char narrow[Vst3::kString128Size];
    if (!plug || !plug->FormatParamText(index, record.ValueAt(normalized), narrow, sizeof narrow))
        record.GetDisplayText(normalized, true, narrow, true, sizeof narrow);
    Vst3::WidenText(narrow, text, Vst3::kString128Size);
}

void IEffectParameter::ToString(Vst3::ParamValue normalized, Vst3::String128 text) const
{
    FormatValue(*mRecord, mPlug, static_cast<int>(Info().id), normalized, text);
}

bool IEffectParameter::FromString(const Vst3::char16* text, Vst3::ParamValue& normalized) const
{
    char narrow[Vst3::kString128Size];
    Vst3::NarrowText(text, narrow, Vst3::kString128Size);
    double plain = 0.0;
    if (!mPlug || !mPlug->ParseParamText(static_cast<int>(Info().id), narrow, &plain))
        plain = std::strtod(narrow, nullptr);
    normalized = mRecord->NormalizedOf(plain);
    return true;
}

Vst3::ParamValue IEffectParameter::ToPlain(Vst3::ParamValue normalized) const
{
    return mRecord->ValueAt(normalized);
}

Vst3::ParamValue IEffectParameter::ToNormalized(Vst3::ParamValue plain) const
{
    return mRecord->NormalizedOf(plain);
}

const char* IEffectParameter::ClassName() const
{
    return kClassName;
}

bool IEffectParameter::IsTypeOf(const char* name) const
{
    return (name && std::strcmp(name, kClassName) == 0) || Vst3::Parameter::IsTypeOf(name);
}
