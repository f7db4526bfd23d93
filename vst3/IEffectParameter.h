#pragma once

#include "framework/IEffectBase.h"
#include "framework/IParameter.h"
#include "vst3/base/Parameter.h"

// One plug-in parameter as a VST3 parameter. It keeps no value: the plug-in's IParameter
// record stays the only owner of the value, and every conversion is the record's own, at the
// time of the call, and every text the plug-in's, so that both bindings hand hosts the same
// values and texts. Without a plug-in the record's texts serve.
class IEffectParameter : public Vst3::Parameter
{
public:
    IEffectParameter(const IParameter* record, Vst3::ParamID id, Vst3::int32 unitId,
                     const IEffectBase* plug = nullptr);

    // The plug-in's text for the value, else the record's display text for the truncated plain
    // value, else the number.
    void ToString(Vst3::ParamValue normalized, Vst3::String128 text) const override;
    // Reads a text the plug-in gives, else the leading number (0 without one), limited to the
    // range; always succeeds.
    bool FromString(const Vst3::char16* text, Vst3::ParamValue& normalized) const override;
    // No limit and no step rounding.
    Vst3::ParamValue ToPlain(Vst3::ParamValue normalized) const override;
    Vst3::ParamValue ToNormalized(Vst3::ParamValue plain) const override;

    const char* ClassName() const override;
    bool IsTypeOf(const char* name) const override;

    // The text on a record, for the controller call that takes no parameter object.
    static void FormatValue(const IParameter& record, const IEffectBase* plug, int index, double normalized,
                            Vst3::String128 text);

private:
    const IParameter* mRecord;
    const IEffectBase* mPlug;
};
