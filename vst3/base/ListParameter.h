#pragma once

#include "vst3/base/Parameter.h"

#include <string>
#include <vector>

namespace Vst3
{
// A parameter that chooses one of a list of texts: entry i of n stands at i / (n - 1).
class ListParameter : public Parameter
{
public:
    // The list flag is added; the step count follows the entries.
    explicit ListParameter(const ParameterInfo& info);

    // False when the entry could not be stored.
    bool AppendString(const char* text);

    void ToString(ParamValue normalized, String128 text) const override;
    bool FromString(const char16* text, ParamValue& normalized) const override;
    // The entry index.
    ParamValue ToPlain(ParamValue normalized) const override;
    ParamValue ToNormalized(ParamValue plain) const override;

private:
    std::vector<std::u16string> mEntries;
};
}
