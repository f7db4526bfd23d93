#include "vst3/base/ListParameter.h"

#include "vst3/abi/Vst3Constants.h"
#include "vst3/base/Utf16Text.h"

#include <algorithm>
#include <cmath>

namespace Vst3
{
ListParameter::ListParameter(const ParameterInfo& info) : Parameter(info, 0)
{
    mInfo.flags |= kParamIsList;
    mInfo.stepCount = 0;
}

bool ListParameter::AppendString(const char* text)
{
    String128 wide;
    WidenText(text, wide, kString128Size);
    try
    {
        mEntries.emplace_back(wide);
    }
    catch (...)
    {
        return false;
    }
    mInfo.stepCount = static_cast<int32>(mEntries.size()) - 1;
    return true;
}

ParamValue ListParameter::ToPlain(ParamValue normalized) const
{
    if (std::isnan(normalized))
        return 0.0;
    const double steps = mInfo.stepCount;
    return std::min(steps, std::floor(std::clamp(normalized, 0.0, 1.0) * (steps + 1.0)));
}

ParamValue ListParameter::ToNormalized(ParamValue plain) const
{
    if (mInfo.stepCount <= 0 || std::isnan(plain))
        return 0.0;
    return std::clamp(plain / mInfo.stepCount, 0.0, 1.0);
}

void ListParameter::ToString(ParamValue normalized, String128 text) const
{
    const auto index = static_cast<size_t>(ToPlain(normalized));
    if (index >= mEntries.size())
    {
        text[0] = u'\0';
        return;
    }
    const std::u16string& entry = mEntries[index];
    const size_t length = std::min(entry.size(), static_cast<size_t>(kString128Size - 1));
    std::copy_n(entry.begin(), length, text);
    text[length] = u'\0';
}

bool ListParameter::FromString(const char16* text, ParamValue& normalized) const
{
    if (!text)
        return false;
    const auto match = std::find(mEntries.begin(), mEntries.end(), std::u16string(text));
    if (match == mEntries.end())
        return false;
    normalized = ToNormalized(static_cast<double>(match - mEntries.begin()));
    return true;
}
}
