#include "dsp/units/curves/ParseCurveName.h"
#include "dsp/units/curves/ShapeCatalogue.h"

#include <gtest/gtest.h>

#include <string>

namespace
{

TEST(ParseCurveName, EveryDisplayNameReadsBackAsItsId)
{
    for (CurveId id = 1; id <= kLastCurveId; ++id)
        EXPECT_EQ(ParseCurveName(GetDistortionShapeName(id)), id) << GetDistortionShapeName(id);
}

TEST(ParseCurveName, OlderNamesAndUnknownTexts)
{
    struct Case
    {
        const char* text;
        CurveId id;
    };
    const Case cases[] = {
        {"Fuzz-Drive", 15},
        {"Fuzz-Drive1", 15},
        {"fuzz-drive1", 0},
        {"Linear", 0},
        {"", 0},
        {"Fuzz-Drive ", 0},
        {"Transistor 1", 9},
        {"Let The Angry One In", 20},
        {"Let The Furious One In", 21},
        {"Wezmark-Drive", 48},
        {"Mill", 59},
        {"Push It To The Limit", 60},
        {"Armageddon", 61},
        {"Hard as Hell", 62},
        {"Syco Killa", 63},
        {"Fireback by Ferl", 64},
        {"Public Enemy by O:RAV", 65},
        {"Straight by O:RAV", 66},
        {"Gangstarizm by O:RAV", 67},
        {"Build To Hurt", 68},
        {"Beastknock", 69},
        {"Kardan Failure", 70},
        {"Schwifty Kick", 71},
        {"Killah", 72},
        {"Monster Truck", 73},
        {"Vibrating Source", 74},
        {"Crunch Time", 75},
        {"Dutchcore", 76},
        {"We Are The Illest", 77},
        {"Skullcrusher", 78},
        {"Hardcore Blast", 79},
        {"VRN Thrashcore", 80},
        {"Thrashcore/VRN", 80},
    };
    for (const Case& c : cases)
        EXPECT_EQ(ParseCurveName(c.text), c.id) << '"' << c.text << '"';
}

} // namespace
