#pragma once

#include "vst3/abi/ParameterInfo.h"
#include "vst3/base/RefCountedObject.h"

namespace Vst3
{
// One parameter as the controller describes it to the host, with its conversions between
// normalised values, plain values and texts. This base maps plain = normalised and prints
// the number with the parameter's precision.
class Parameter : public RefCountedObject
{
public:
    Parameter(const ParameterInfo& info, int32 precision);

    const ParameterInfo& Info() const { return mInfo; }
    int32 Precision() const { return mPrecision; }

    // Writes a terminated text of at most 128 units.
    virtual void ToString(ParamValue normalized, String128 text) const;
    // False (and `normalized` unchanged) when the text is not understood.
    virtual bool FromString(const char16* text, ParamValue& normalized) const;
    virtual ParamValue ToPlain(ParamValue normalized) const;
    virtual ParamValue ToNormalized(ParamValue plain) const;

    const char* ClassName() const override;
    bool IsTypeOf(const char* name) const override;

protected:
    ParameterInfo mInfo;
    int32 mPrecision;
};
}
