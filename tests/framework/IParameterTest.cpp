#include "framework/IParameter.h"

#include <gtest/gtest.h>

#include <ostream>

#include <cmath>
#include <limits>
#include <string>

namespace
{
constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kInfinity = std::numeric_limits<double>::infinity();

std::string DisplayText(const IParameter& param, double value, bool normalised = false, size_t size = 128)
{
    char text[128];
    param.GetDisplayText(value, normalised, text, true, size);
    return text;
}

TEST(IParameter, StartsUninitialisedWithTheUnitRange)
{
    IParameter param;
    EXPECT_EQ(param.Type(), kParamTypeNone);
    EXPECT_EQ(param.Value(), 0.0);
    EXPECT_EQ(param.Minimum(), 0.0);
    EXPECT_EQ(param.Maximum(), 1.0);
    EXPECT_EQ(param.Step(), 1.0);
    EXPECT_EQ(param.Shape(), 1.0);
    EXPECT_STREQ(param.Name(), "");
    EXPECT_TRUE(param.CanAutomate());
}

TEST(IParameter, InitContinuousTakesTheDefinitionAndCutsLongTexts)
{
    IParameter param;
    const std::string name = "Drive Amount With A Name Far Beyond Thirty-One, And Then Beyond Sixty-Three";
    const std::string group = "A Group Whose Name Runs Past Thirty-One";
    param.InitContinuous(name.c_str(), 0.25, -1.0, 2.0, 0.01, "dB", group.c_str(), 2.0);
    EXPECT_EQ(param.Type(), kParamTypeDouble);
    EXPECT_EQ(param.Value(), 0.25);
    EXPECT_EQ(param.Default(), 0.25);
    EXPECT_EQ(param.Minimum(), -1.0);
    EXPECT_EQ(param.Maximum(), 2.0);
    EXPECT_EQ(param.Shape(), 2.0);
    // Names reach hosts, which take up to 63 characters; labels and groups keep 31.
    EXPECT_EQ(std::string(param.Name()), name.substr(0, 63));
    EXPECT_STREQ(param.Label(), "dB");
    EXPECT_EQ(std::string(param.Group()), group.substr(0, 31));
}

struct PrecisionCase
{
    double step;
    int32_t precision;
};

void PrintTo(const PrecisionCase& c, std::ostream* out)
{
    std::ostream& os = *out;
    os << "step " << c.step;
}

class DisplayPrecision : public testing::TestWithParam<PrecisionCase>
{
};

TEST_P(DisplayPrecision, CountsTheDecimalsOfTheStep)
{
    IParameter param;
    param.InitContinuous("p", 0.0, 0.0, 1.0, GetParam().step, "", "", 1.0);
    EXPECT_EQ(param.DisplayPrecision(), GetParam().precision);
}

INSTANTIATE_TEST_SUITE_P(Steps, DisplayPrecision,
                         testing::Values(PrecisionCase{1.0, 0}, PrecisionCase{5.0, 0}, PrecisionCase{0.5, 1},
                                         PrecisionCase{0.01, 2}, PrecisionCase{0.001, 3}, PrecisionCase{0.25, 2},
                                         PrecisionCase{1.0 / 3.0, 6}, PrecisionCase{1e-9, 6}));

struct MappingCase
{
    double minimum;
    double maximum;
    double shape;
    double normalised;
    double value;
};

void PrintTo(const MappingCase& c, std::ostream* out)
{
    std::ostream& os = *out;
    os << c.minimum << ".." << c.maximum << " shape " << c.shape << " at " << c.normalised;
}

class ContinuousMapping : public testing::TestWithParam<MappingCase>
{
};

TEST_P(ContinuousMapping, MapsBothWaysThroughThePowerCurve)
{
    const MappingCase& c = GetParam();
    IParameter param;
    param.InitContinuous("p", c.minimum, c.minimum, c.maximum, 0.001, "", "", c.shape);
    EXPECT_DOUBLE_EQ(param.FromNormalized(c.normalised), c.value);
    param.SetPlain(c.value);
    EXPECT_DOUBLE_EQ(param.GetNormalized(), c.normalised);
}

INSTANTIATE_TEST_SUITE_P(Ranges, ContinuousMapping,
                         testing::Values(MappingCase{0.0, 1.0, 1.0, 0.25, 0.25}, MappingCase{0.0, 1.0, 1.0, 1.0, 1.0},
                                         MappingCase{-10.0, 10.0, 1.0, 0.75, 5.0},  // no rounding to the step
                                         MappingCase{0.0, 100.0, 2.0, 0.5, 25.0},
                                         MappingCase{20.0, 20020.0, 3.0, 0.5, 2520.0}));

TEST(IParameter, SteppedKindRoundsHalvesUpFromZero)
{
    // An uninitialised parameter is stepped: range 0..1, step 1.
    IParameter param;
    const struct
    {
        double normalised;
        double value;
    } cases[] = {{0.0, 0.0}, {0.49, 0.0}, {0.5, 1.0}, {1.0, 1.0}, {1.5, 1.0} /* limited by the maximum */};
    for (const auto& c : cases)
        EXPECT_EQ(param.FromNormalized(c.normalised), c.value) << c.normalised;
}

TEST(IParameter, ValuesOutsideTheRangeNormaliseToTheEnds)
{
    IParameter param;
    param.InitContinuous("p", 0.0, 2.0, 4.0, 0.1, "", "", 1.0);
    param.SetPlain(1.0);
    EXPECT_EQ(param.Value(), 2.0);
    EXPECT_EQ(param.GetNormalized(), 0.0);
    param.SetPlain(9.0);
    EXPECT_EQ(param.Value(), 4.0);
    EXPECT_EQ(param.GetNormalized(), 1.0);
}

TEST(IParameter, NonFiniteValueBecomesTheDefaultWithinTheRange)
{
    IParameter param;
    param.InitContinuous("p", 0.5, 0.0, 1.0, 0.01, "", "", 1.0);
    for (double value : {kNaN, kInfinity, -kInfinity})
    {
        param.SetPlain(0.9);
        param.SetPlain(value);
        EXPECT_EQ(param.Value(), 0.5) << value;
    }
}

struct DisplayCase
{
    double step;
    double value;
    bool normalised;
    const char* text;
};

void PrintTo(const DisplayCase& c, std::ostream* out)
{
    std::ostream& os = *out;
    os << c.value << (c.normalised ? " normalised" : "") << " step " << c.step;
}

class DisplayNumber : public testing::TestWithParam<DisplayCase>
{
};

TEST_P(DisplayNumber, FormatsWithThePrecisionOfTheStep)
{
    const DisplayCase& c = GetParam();
    IParameter param;
    param.InitContinuous("p", 0.0, -100.0, 100.0, c.step, "", "", 1.0);
    EXPECT_EQ(DisplayText(param, c.value, c.normalised), c.text);
}

INSTANTIATE_TEST_SUITE_P(
    Values, DisplayNumber,
    testing::Values(DisplayCase{1.0, 2.7, false, "2"}, DisplayCase{1.0, -2.7, false, "-2"},
                    DisplayCase{0.01, 0.256, false, "0.26"}, DisplayCase{0.001, 1.0, false, "1.000"},
                    DisplayCase{1.0, 0.75, true, "50"},  // normalised: -100 + 0.75 * 200
                    DisplayCase{1.0, 1e12, false, "2147483647"}, DisplayCase{1.0, -1e12, false, "-2147483648"},
                    DisplayCase{1.0, kNaN, false, "0"}));

TEST(IParameter, NegatedDisplayShowsTheNegatedValue)
{
    IParameter param;
    param.InitContinuous("p", 0.0, 0.0, 10.0, 0.1, "", "", 1.0);
    param.SetNegateDisplay(true);
    EXPECT_EQ(DisplayText(param, 2.5), "-2.5");
}

TEST(IParameter, DisplayTextStaysWithinTheBuffer)
{
    IParameter param;
    param.InitContinuous("p", 0.0, 0.0, 1.0, 1e-6, "", "", 1.0);
    char text[16];
    param.GetDisplayText(1e300, false, text, true, sizeof text);
    EXPECT_EQ(std::string(text), "100000000000000");
}

TEST(IParameter, DisplayTextsReplaceNumbersUnlessEmpty)
{
    IParameter param;
    param.InitContinuous("p", 0.0, 0.0, 3.0, 1.0, "ms", "", 1.0);
    param.AddDisplayText(1, "One");
    param.AddDisplayText(2, "");
    param.AddDisplayText(1, "Other");
    EXPECT_EQ(DisplayText(param, 1.9), "One");
    EXPECT_EQ(DisplayText(param, 2.0), "2");
    EXPECT_EQ(DisplayText(param, 3.0), "3");
    char text[128];
    param.GetDisplayText(1.0, false, text, false, sizeof text);
    EXPECT_STREQ(text, "1");

    param.SetPlain(1.0);
    EXPECT_STREQ(param.GetLabelForHost(), "");
    param.SetPlain(2.0);
    EXPECT_STREQ(param.GetLabelForHost(), "ms");
}

TEST(IParameter, HostTextIsReadAsANumberWithinTheRange)
{
    IParameter param;
    param.InitContinuous("p", 0.1, 0.0, 1.0, 0.01, "", "", 1.0);
    const struct
    {
        const char* text;
        double value;
    } cases[] = {{"0.5", 0.5}, {"0.25 dB", 0.25}, {"abc", 0.0}, {"7", 1.0}, {"-3", 0.0}, {"nan", 0.1}};
    for (const auto& c : cases)
    {
        EXPECT_TRUE(param.SetFromHostText(c.text));
        EXPECT_EQ(param.Value(), c.value) << c.text;
    }
    param.SetNegateDisplay(true);
    EXPECT_TRUE(param.SetFromHostText("-0.75"));
    EXPECT_EQ(param.Value(), 0.75);
}

TEST(IParameter, HostTextMustMatchADisplayTextWhenThereAreAny)
{
    IParameter param;
    param.InitContinuous("p", 0.0, 0.0, 3.0, 1.0, "", "", 1.0);
    param.AddDisplayText(2, "Two");
    EXPECT_FALSE(param.SetFromHostText("1"));
    EXPECT_EQ(param.Value(), 0.0);
    EXPECT_TRUE(param.SetFromHostText("Two"));
    EXPECT_EQ(param.Value(), 2.0);
}
}
