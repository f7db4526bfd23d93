#include "editor/IWzCaptionControl.h"
#include "editor/IWzHostInfoText.h"
#include "editor/IWzMaxLevelText.h"
#include "framework/IParameter.h"
#include "tests/editor_controls/ControlTestRig.h"

#include <gtest/gtest.h>

#include <string>

namespace
{
struct CaptionCase
{
    int format;
    double value;
    const char* expected;
};

class CaptionFormatTest : public testing::TestWithParam<CaptionCase>
{
};

TEST_P(CaptionFormatTest, FormatsThePlainValue)
{
    const CaptionCase c = GetParam();
    const IWzCaptionControl caption(nullptr, Rect{0, 0, 50, 20}, 0, nullptr, c.format, false, 20000.0, 20.0, " Hz");
    char text[64] = {};
    ASSERT_TRUE(caption.FormatNumber(c.value, text, sizeof text));
    EXPECT_STREQ(text, c.expected) << "format " << c.format << " of " << c.value;
}

INSTANTIATE_TEST_SUITE_P(
    Formats, CaptionFormatTest,
    testing::Values(CaptionCase{IWzCaptionControl::kDecibels, 1.0, "0.00 dB"},
                    CaptionCase{IWzCaptionControl::kDecibels, 0.9999, "0.00 dB"},
                    CaptionCase{IWzCaptionControl::kDecibels, 1.0001, "0.00 dB"},
                    CaptionCase{IWzCaptionControl::kDecibels, 0.0, "-inf dB"},
                    CaptionCase{IWzCaptionControl::kDecibels, -0.5, "-inf dB"},
                    CaptionCase{IWzCaptionControl::kDecibels, 0.5, "-6.02 dB"},
                    CaptionCase{IWzCaptionControl::kDecibels, 2.0, "+6.02 dB"},
                    CaptionCase{IWzCaptionControl::kPercent, 0.255, "25.5%"},
                    CaptionCase{IWzCaptionControl::kSemitones, 0.75, "6.000"},
                    CaptionCase{IWzCaptionControl::kBipolar, 0.25, "-0.500"},
                    CaptionCase{IWzCaptionControl::kBipolar, 0.49999, "0.000"},
                    CaptionCase{IWzCaptionControl::kSemitones, 0.49999, "0.000"},
                    CaptionCase{IWzCaptionControl::kCentred, 0.4999, "0.000"},
                    CaptionCase{IWzCaptionControl::kCentredDoubled, 0.49999, "0.000"},
                    CaptionCase{IWzCaptionControl::kCentred, 0.25, "-0.250"},
                    CaptionCase{IWzCaptionControl::kScaledFine, 0.5, "10020.000 Hz"},
                    CaptionCase{IWzCaptionControl::kScaledCoarse, 0.5, "10020.0 Hz"},
                    CaptionCase{IWzCaptionControl::kCentredDoubled, 1.0, "1.000"}));

TEST(CaptionControl, OtherFormatsShowTheParametersTextWithItsLabel)
{
    ControlTestRig rig;
    IParameter* param = rig.plug.GetParam(3);
    param->InitContinuous("Mode", 1.0, 0.0, 2.0, 1.0, "st", "", 1.0);
    param->AddDisplayText(2, "Wide");
    const TextStyle style;
    auto* caption = rig.Add(new IWzCaptionControl(&rig.plug, Rect{0, 0, 80, 20}, 3, &style,
                                                  IWzCaptionControl::kParameterText, true));
    char text[64] = {};
    EXPECT_FALSE(caption->FormatNumber(1.0, text, sizeof text));
    caption->SetValueFromPlug(0.5);
    rig.graphics->Tick();
    caption->GetText(text, sizeof text);
    EXPECT_STREQ(text, "1 st");
    caption->SetValueFromPlug(1.0);
    rig.graphics->Tick();
    caption->GetText(text, sizeof text);
    EXPECT_STREQ(text, "Wide");
}

struct LevelCase
{
    double level;
    const char* text;
    bool red;
};

class MaxLevelTest : public testing::TestWithParam<LevelCase>
{
};

TEST_P(MaxLevelTest, TextAndColour)
{
    const LevelCase c = GetParam();
    char text[64] = {};
    ArgbColour colour{};
    IWzMaxLevelText::FormatLevel(c.level, text, sizeof text, &colour);
    EXPECT_STREQ(text, c.text);
    const ArgbColour expected = c.red ? IWzMaxLevelText::kClipColour : IWzMaxLevelText::kNormalColour;
    EXPECT_EQ(std::tuple(colour.a, colour.r, colour.g, colour.b),
              std::tuple(expected.a, expected.r, expected.g, expected.b));
}

INSTANTIATE_TEST_SUITE_P(Levels, MaxLevelTest,
                         testing::Values(LevelCase{0.0, "MAX LEVEL: -oo dB", false},
                                         LevelCase{1.0, "MAX LEVEL: 0.0 dB", false},
                                         LevelCase{0.999, "MAX LEVEL: 0.0 dB", false},
                                         LevelCase{0.5, "MAX LEVEL: -6.0 dB", false},
                                         LevelCase{1.0000001, "MAX LEVEL: 0.0 dB", true},
                                         LevelCase{2.0, "MAX LEVEL: 6.0 dB", true}));

TEST(MaxLevelText, ShowsTheLouderChannelAndRedrawsOnlyOnChange)
{
    ControlTestRig rig;
    double holds[2] = {0.25, 0.5};
    const TextStyle style;
    auto* text = rig.Add(new IWzMaxLevelText(&rig.plug, Rect{0, 0, 200, 20}, &style,
                                             [&holds](int channel) { return holds[channel]; }));
    rig.graphics->Tick();
    char shown[64] = {};
    text->GetText(shown, sizeof shown);
    EXPECT_STREQ(shown, "MAX LEVEL: -6.0 dB");
    holds[0] = 4.0;
    text->SetDirty(false);
    rig.graphics->Tick();
    text->GetText(shown, sizeof shown);
    EXPECT_STREQ(shown, "MAX LEVEL: 12.0 dB");
    EXPECT_EQ(text->GetTextStyle()->colour.r, 255);
    EXPECT_EQ(text->GetTextStyle()->colour.g, 0);
}

TEST(HostInfoText, ShowsSampleRateAndTempo)
{
    ControlTestRig rig;
    rig.plug.tempo = 128.5;
    const TextStyle style;
    auto* text = rig.Add(new IWzHostInfoText(&rig.plug, Rect{0, 0, 400, 20}, &style));
    rig.graphics->Tick();
    char shown[128] = {};
    text->GetText(shown, sizeof shown);
    char expected[128];
    std::snprintf(expected, sizeof expected, "SAMPLE RATE: %7.2f Hz    TEMPO: %7.3f BPM", rig.plug.GetSampleRate(),
                  128.5);
    EXPECT_STREQ(shown, expected);
}
} // namespace
