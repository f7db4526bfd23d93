#include "plugin/HostParamText.h"
#include "plugin/ParamIndex.h"

#include <gtest/gtest.h>

#include <string>

namespace
{
std::string TextOf(int index, double v, double rate)
{
    char text[256] = {};
    EXPECT_TRUE(HostParamText::Format(index, v, rate, text, sizeof text));
    return text;
}
}

// Finer than the bindings' test, at a clamped and an unclamped rate: every text reads back to a
// value that shows the same text.
TEST(HostParamText, EveryTextReadsBackToItself)
{
    constexpr int kSteps = 64;
    for (const double rate : {44100.0, 96000.0})
        for (int index = 0; index < kWorkingParamCount; ++index)
            for (int k = 0; k <= kSteps; ++k)
            {
                const double v = static_cast<double>(k) / kSteps;
                const std::string shown = TextOf(index, v, rate);
                double read = -1.0;
                if (!HostParamText::Parse(index, shown.c_str(), rate, v, &read))
                {
                    // Only the plain numbers are left to the record, which reads them as the value.
                    EXPECT_EQ(TextOf(index, std::stod(shown), rate), shown) << index << " at " << v;
                    continue;
                }
                EXPECT_EQ(TextOf(index, read, rate), shown) << index << " at " << v << ", " << rate << " Hz";
            }
}

TEST(HostParamText, OnlyTheWorkingParametersHaveTexts)
{
    char text[16] = "untouched";
    double v = -1.0;
    for (const int index : {-1, static_cast<int>(kWorkingParamCount), static_cast<int>(kTotalParamCount)})
    {
        EXPECT_FALSE(HostParamText::Format(index, 0.5, 44100.0, text, sizeof text));
        EXPECT_FALSE(HostParamText::Parse(index, "0.5", 44100.0, 0.5, &v));
    }
    EXPECT_STREQ(text, "untouched");
}

// The output sweep shows the same Hz on either side of its middle; a text keeps the side.
TEST(HostParamText, TheSweepReadsATextOnTheSideOfItsValue)
{
    const std::string low = TextOf(kParamOutputSweep, 0.2, 44100.0);
    double v = -1.0;
    ASSERT_TRUE(HostParamText::Parse(kParamOutputSweep, low.c_str(), 44100.0, 0.2, &v));
    EXPECT_LT(v, 0.5);
    ASSERT_TRUE(HostParamText::Parse(kParamOutputSweep, low.c_str(), 44100.0, 0.8, &v));
    EXPECT_GT(v, 0.5);
    EXPECT_EQ(TextOf(kParamOutputSweep, v, 44100.0), low);
}
