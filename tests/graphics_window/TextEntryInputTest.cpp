#include "framework/IParameter.h"
#include "graphics/TextEntryInput.h"

#include <gtest/gtest.h>

#include <string>

namespace
{
struct CharacterCase
{
    ParamType type;
    const char* accepted;
    const char* rejected;
};

TEST(TextEntryInput, FiltersCharactersByTheParameterKind)
{
    const CharacterCase cases[] = {
        {kParamTypeBool, "+-0123456789", ".,eEaZ x"},
        {kParamTypeInt, "+-0123456789", ".,eEaZ x"},
        {kParamTypeList, "+-0123456789", ".,eEaZ x"},
        {kParamTypeDouble, "+-0123456789.", ",eEaZ x"},
        {kParamTypeNone, "+-09.,eEaZ x\xC3", ""},
    };
    for (const CharacterCase& c : cases)
    {
        for (const char* p = c.accepted; *p; ++p)
            EXPECT_TRUE(TextEntryAcceptsCharacter(c.type, static_cast<unsigned char>(*p))) << c.type << " '" << *p << "'";
        for (const char* p = c.rejected; *p; ++p)
            EXPECT_FALSE(TextEntryAcceptsCharacter(c.type, static_cast<unsigned char>(*p))) << c.type << " '" << *p << "'";
        EXPECT_TRUE(TextEntryAcceptsCharacter(c.type, '\b')) << "backspace always passes, type " << c.type;
    }
}

TEST(TextEntryInput, ReadsNumbersNegatedLikeTheirDisplay)
{
    IParameter gain;
    gain.InitContinuous("Gain", 0.0, -24.0, 24.0, 0.1, "dB", "", 1.0);
    IParameter attenuation;
    attenuation.InitContinuous("Attenuation", 0.0, 0.0, 48.0, 0.1, "dB", "", 1.0);
    attenuation.SetNegateDisplay(true);
    const struct
    {
        const IParameter* param;
        const char* text;
        double value;
    } cases[] = {
        {&gain, "3.5", 3.5}, {&gain, "-12", -12.0}, {&gain, "", 0.0}, {&gain, "+", 0.0},
        {&attenuation, "-6", 6.0}, {&attenuation, "12.25", -12.25},
    };
    for (const auto& c : cases)
        EXPECT_DOUBLE_EQ(TextEntryValue(*c.param, c.text), c.value) << c.param->Name() << " '" << c.text << "'";
}
}
