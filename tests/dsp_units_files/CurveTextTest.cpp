#include "dsp/units/curves/DistortionCurve.h"
#include "dsp/units/files/CurveNumberText.h"
#include "dsp/units/files/CurveText.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <clocale>
#include <cmath>
#include <limits>
#include <string>

namespace
{
constexpr uint16_t kPoints = 2048;

std::string Values(int count, const std::string& value)
{
    std::string text;
    for (int i = 0; i < count; ++i)
    {
        if (i > 0)
            text += ',';
        text += value;
    }
    return text;
}

// `count` values between a leading and a trailing text.
std::string Framed(const char* first, int count, const std::string& value, const char* last)
{
    std::string text = first;
    text += Values(count, value);
    text += last;
    return text;
}

// Switches the C locale to one with a decimal comma for one scope, when the system has one.
class CommaLocale
{
public:
    CommaLocale() : mPrevious(std::setlocale(LC_ALL, nullptr))
    {
        for (const char* name : {"de_DE.UTF-8", "de_DE.utf8", "fr_FR.UTF-8", "German_Germany.1252", "German"})
            if (std::setlocale(LC_ALL, name) != nullptr)
            {
                mActive = true;
                return;
            }
    }
    ~CommaLocale() { std::setlocale(LC_ALL, mPrevious.c_str()); }
    bool Active() const { return mActive; }

private:
    std::string mPrevious;
    bool mActive = false;
};
}

TEST(CurveText, FormatsFixedNumbersWithTenDecimals)
{
    struct Case
    {
        double value;
        const char* text;
    };
    const Case cases[] = {{-1.0, "-1.0000000000"}, {0.5, "0.5000000000"}, {-0.0, "-0.0000000000"},
                          {1.0 / 3.0, "0.3333333333"}, {2.0 / 3.0, "0.6666666667"}};
    for (const Case& c : cases)
        EXPECT_EQ(FormatFixed(c.value, CurveText::kDecimals), c.text);
}

TEST(CurveText, ParsesNumbersAsTheCLocaleDoes)
{
    struct Case
    {
        const char* text;
        double value;
    };
    const Case cases[] = {
        {"0.25", 0.25},     {"  \n\t-1", -1.0},  {"+.5", 0.5},       {"1e-3", 0.001}, {"1.5abc", 1.5},
        {"0x1p-2", 0.25},   {"-0x.8", -0.5},     {"0x", 0.0},        {"abc", 0.0},    {"", 0.0},
        {"   ", 0.0},       {"--1", 0.0},        {"+-1", 0.0},       {"1e999", 0.0},  {"-1e999", 0.0},
        {"0,5", 0.0},       {"7.", 7.0},         {"1e", 1.0},
    };
    for (const Case& c : cases)
        EXPECT_EQ(ParseCurveNumber(c.text), c.value) << '"' << c.text << '"';
    EXPECT_TRUE(std::isinf(ParseCurveNumber("-inf")));
    EXPECT_TRUE(std::isnan(ParseCurveNumber("nan")));
    EXPECT_TRUE(std::signbit(ParseCurveNumber("-0")));
}

TEST(CurveText, WritesEveryPointSeparatedByCommas)
{
    DistortionCurve curve(kPoints);
    std::string text = "old contents";
    EXPECT_EQ(&CurveText::Write(curve, text), &text);
    EXPECT_EQ(text.substr(0, 27), "-1.0000000000,-0.9990229604");
    EXPECT_EQ(text.substr(text.size() - 13), ",1.0000000000");
    EXPECT_EQ(std::count(text.begin(), text.end(), ','), kPoints - 1);
    EXPECT_EQ(text.find_first_of(" \n"), std::string::npos);
}

TEST(CurveText, RoundTripKeepsEveryPointToTenDecimals)
{
    DistortionCurve curve(kPoints);
    for (int32_t i = 0; i < kPoints; ++i)
        curve.EditablePoints()[i] = std::sin(i * 0.011) * std::cos(i * 0.0037);
    curve.EditablePoints()[7] = -0.0;
    std::string text;
    CurveText::Write(curve, text);
    DistortionCurve copy(kPoints);
    ASSERT_TRUE(CurveText::Read(copy, text));
    for (int32_t i = 0; i < kPoints; ++i)
        ASSERT_NEAR(copy.Points()[i], curve.Points()[i], 0.5e-10) << i;
    EXPECT_TRUE(std::signbit(copy.Points()[7]));
}

TEST(CurveText, MalformedTextIsRefusedOrReadSafely)
{
    struct Case
    {
        const char* what;
        std::string text;
        bool taken;
        double point0;
        double point2047;
    };
    const Case cases[] = {
        {"2047 values", Values(2047, "0.5"), false, -1.0, 1.0},
        {"2049 values, last ignored", Framed("", 2048, "0.5", ",0.9"), true, 0.5, 0.5},
        {"out of range clamped", Framed("1.5,", 2046, "0", ",-7"), true, 1.0, -1.0},
        {"nan and inf", Framed("nan,", 2046, "0", ",inf"), true, 0.0, 0.0},
        {"not numbers", Framed("abc,", 2046, "0.25", ",x1"), true, 0.0, 0.0},
        {"empty pieces", Framed(",", 2046, "0.25", ","), true, 0.0, 0.0},
        {"line breaks after commas", Framed("0.5,\n", 2046, "\r\n 0.25", ",\n-0.5"), true, 0.5, -0.5},
        {"empty text", "", false, -1.0, 1.0},
        {"only commas", std::string(2047, ','), true, 0.0, 0.0},
    };
    for (const Case& c : cases)
    {
        DistortionCurve curve(kPoints);
        EXPECT_EQ(CurveText::Read(curve, c.text), c.taken) << c.what;
        EXPECT_EQ(curve.Points()[0], c.point0) << c.what;
        EXPECT_EQ(curve.Points()[2047], c.point2047) << c.what;
    }
}

TEST(CurveText, IgnoresACommaDecimalLocale)
{
    CommaLocale locale;
    if (!locale.Active())
        GTEST_SKIP() << "no locale with a decimal comma on this system";
    DistortionCurve curve(kPoints);
    curve.EditablePoints()[0] = -0.5;
    std::string text;
    CurveText::Write(curve, text);
    EXPECT_EQ(text.substr(0, 14), "-0.5000000000,");
    DistortionCurve copy(kPoints);
    ASSERT_TRUE(CurveText::Read(copy, text));
    EXPECT_EQ(copy.Points()[0], -0.5);
    EXPECT_EQ(ParseCurveNumber("0.75"), 0.75);
}
