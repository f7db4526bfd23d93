#include "graphics/TextEntryInput.h"

#include "framework/IParameter.h"

#include <cmath>
#include <cstdlib>
#include <cstring>

namespace
{
constexpr uint32_t kBackspace = 8;

bool IsSignOrDigit(uint32_t character)
{
    return character == '+' || character == '-' || (character >= '0' && character <= '9');
}

// The integer value whose display text equals the text; 0 when none does.
double MatchDisplayText(const IParameter& param, const char* text)
{
    const double lowest = std::ceil(param.Minimum());
    for (double value = lowest; value <= param.Maximum(); value += 1.0)
    {
        const char* display = param.FindDisplayText(value);
        if (display && std::strcmp(display, text) == 0)
            return value;
    }
    return 0.0;
}
}

bool TextEntryAcceptsCharacter(ParamType type, uint32_t character)
{
    if (character == kBackspace)
        return true;
    switch (type)
    {
    case kParamTypeBool:
    case kParamTypeInt:
    case kParamTypeList:
        return IsSignOrDigit(character);
    case kParamTypeDouble:
        return IsSignOrDigit(character) || character == '.';
    default:
        return true;
    }
}

double TextEntryValue(const IParameter& param, const char* text)
{
    text = text ? text : "";
    if (param.Type() == kParamTypeList || param.Type() == kParamTypeBool)
        return MatchDisplayText(param, text);
    const double value = std::strtod(text, nullptr);
    return param.NegateDisplay() ? -value : value;
}
