#include "tests/graphics/ProbeControl.h"
#include "tests/graphics_support/HeadlessGraphics.h"
#include "tests/graphics_support/RecordingPlug.h"

#include "graphics/ICaptionControl.h"
#include "graphics/ITextControl.h"
#include "graphics/IKnobMultiControl.h"

#include <gtest/gtest.h>

namespace
{
class ParamValueTest : public testing::Test
{
protected:
    void SetUp() override
    {
        plug.GetParam(1)->InitContinuous("Drive", 0.0, -10.0, 10.0, 0.0, "dB", "", 1.0);
        plug.GetParam(2)->InitContinuous("Curve", 0.0, 0.0, 100.0, 0.0, "", "", 2.0);
        plug.GetParam(4)->InitContinuous("Mode", 0.0, 0.0, 2.0, 1.0, "", "", 1.0);
        for (int value = 0; value < 3; ++value)
            plug.GetParam(4)->AddDisplayText(value, value == 0 ? "Soft" : value == 1 ? "Hard" : "Fold");
    }

    RecordingPlug plug;
    HeadlessGraphics* graphics = plug.Attach(new HeadlessGraphics(&plug));
};

TEST_F(ParamValueTest, PlainValuesAreClampedAndNormalisedWithTheParametersShape)
{
    struct Case
    {
        int param;
        double plain;
        double normalised;
    };
    const Case cases[] = {
        {1, 5.0, 0.75}, {1, -20.0, 0.0}, {1, 99.0, 1.0}, {2, 25.0, 0.5}, {2, 100.0, 1.0},
    };
    auto* control = new ProbeControl(&plug, {0, 0, 10, 10}, -1);
    graphics->AddControl(control);
    for (const Case& c : cases)
    {
        auto* bound = new ProbeControl(&plug, {0, 0, 10, 10}, c.param);
        graphics->AddControl(bound);
        graphics->ShowParamValue(c.param, c.plain, false);
        EXPECT_DOUBLE_EQ(bound->GetValue(), c.normalised) << c.param << " " << c.plain;
    }
}

TEST_F(ParamValueTest, AuxiliaryEntriesGetTheValueAtTheirFirstMatchingEntryOnly)
{
    auto* control = new ProbeControl(&plug, {0, 0, 10, 10}, 1);
    control->AddAuxParam(2);
    control->AddAuxParam(1);
    control->AddAuxParam(2);
    graphics->AddControl(control);

    graphics->ShowParamValue(2, 0.4, true);
    graphics->ShowParamValue(1, 0.9, true);
    EXPECT_EQ(control->GetAuxParamValue(0), 0.4);
    EXPECT_EQ(control->GetAuxParamValue(1), 0.9);
    EXPECT_EQ(control->GetAuxParamValue(2), 0.0);
    EXPECT_EQ(control->GetValue(), 0.9);
}

TEST_F(ParamValueTest, TheFirstValueBecomesTheDefaultAndAnUnchangedValueIsNotRedrawn)
{
    auto* control = new ProbeControl(&plug, {0, 0, 10, 10}, 1);
    graphics->AddControl(control);
    graphics->Tick();
    graphics->ShowParamValue(1, 0.3, true);
    EXPECT_EQ(control->GetDefaultValue(), 0.3);
    EXPECT_FALSE(control->IsDirty());
    graphics->ShowParamValue(1, 0.6, true);
    EXPECT_TRUE(control->IsDirty());
    EXPECT_EQ(control->GetDefaultValue(), 0.3);
    graphics->Tick();
    graphics->Tick();
    graphics->ShowParamValue(1, 0.6, true);
    EXPECT_FALSE(control->IsDirty());
}

TEST_F(ParamValueTest, ADoubleClickRestoresTheDefaultOnlyOnceOneIsKnown)
{
    auto* control = new ProbeControl(&plug, {0, 0, 10, 10}, 1);
    graphics->AddControl(control);
    control->IControl::OnMouseDoubleClick(0, 0, nullptr);
    EXPECT_TRUE(plug.events.empty());
    graphics->ShowParamValue(1, 0.25, true);
    graphics->ShowParamValue(1, 0.8, true);
    control->IControl::OnMouseDoubleClick(0, 0, nullptr);
    EXPECT_EQ(control->GetValue(), 0.25);
    EXPECT_EQ(plug.events, std::vector<std::string>{"automate 1 0.25"});
}

TEST_F(ParamValueTest, AContinuousParameterIsPromptedWithATextEntryThatCommitsTheNumber)
{
    plug.GetParam(1)->SetPlain(2.5);
    auto* control = new ProbeControl(&plug, {100, 100, 160, 120}, 1);
    graphics->AddControl(control);
    control->PromptForValue();
    EXPECT_TRUE(graphics->textEntries.empty());  // prompts are disabled unless a control enables them

    control->SetPromptDisabled(false);
    control->PromptForValue();
    ASSERT_EQ(graphics->textEntries.size(), 1u);
    EXPECT_EQ(graphics->textEntries[0].text, "2");
    EXPECT_EQ(graphics->textEntries[0].where, (Rect{110, 102, 150, 118}));
    graphics->CommitTextEntry("-5");
    EXPECT_DOUBLE_EQ(control->GetValue(), 0.25);
    EXPECT_DOUBLE_EQ(plug.GetParam(1)->Value(), -5.0);
}

TEST_F(ParamValueTest, LinkedTextsShowTheValueWithItsLabelAndTheName)
{
    TextStyle style;
    auto* valueText = new ITextControl(&plug, {0, 0, 50, 10}, &style);
    auto* nameText = new ITextControl(&plug, {0, 10, 50, 20}, &style);
    auto* modeText = new ITextControl(&plug, {0, 20, 50, 30}, &style);
    auto* drive = new ProbeControl(&plug, {0, 30, 50, 80}, 1);
    auto* mode = new ProbeControl(&plug, {0, 30, 50, 80}, 4);
    drive->SetLinkedValueText(valueText);
    drive->SetLinkedNameText(nameText);
    mode->SetLinkedValueText(modeText);
    for (IControl* control : std::initializer_list<IControl*>{valueText, nameText, modeText, drive, mode})
        graphics->AddControl(control);

    drive->SetValueFromUserInput(0.75);
    mode->SetValueFromUserInput(1.0);
    char text[64];
    valueText->GetText(text, sizeof(text));
    EXPECT_STREQ(text, "5 dB");
    nameText->GetText(text, sizeof(text));
    EXPECT_STREQ(text, "Drive");
    modeText->GetText(text, sizeof(text));
    EXPECT_STREQ(text, "Fold");
}
}
