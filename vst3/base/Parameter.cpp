#include "vst3/base/Parameter.h"

#include "vst3/base/Utf16Text.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace Vst3
{
namespace
{
constexpr char kClassName[] = "Parameter";
}

Parameter::Parameter(const ParameterInfo& info, int32 precision) : mInfo(info), mPrecision(precision)
{
}

void Parameter::ToString(ParamValue normalized, String128 text) const
{
    char narrow[kString128Size];
    std::snprintf(narrow, sizeof narrow, "%.*f", static_cast<int>(mPrecision), ToPlain(normalized));
    WidenText(narrow, text, kString128Size);
}

bool Parameter::FromString(const char16* text, ParamValue& normalized) const
{
    char narrow[kString128Size];
    NarrowText(text, narrow, kString128Size);
    char* end = nullptr;
    const double plain = std::strtod(narrow, &end);
    if (end == narrow || std::isnan(plain))
        return false;
    normalized = std::clamp(ToNormalized(plain), 0.0, 1.0);
    return true;
}

ParamValue Parameter::ToPlain(ParamValue normalized) const
{
    return normalized;
}

ParamValue Parameter::ToNormalized(ParamValue plain) const
{
    return plain;
}

const char* Parameter::ClassName() const
{
    return kClassName;
}

bool Parameter::IsTypeOf(const char* name) const
{
    return (name && std::strcmp(name, kClassName) == 0) || RefCountedObject::IsTypeOf(name);
}
}
