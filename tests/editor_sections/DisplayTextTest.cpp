#include "editor/IWzOnOffSwitch.h"
#include "framework/vst2/Vst2Constants.h"
#include "graphics/ICaptionControl.h"
#include "graphics/ITextControl.h"
#include "plugin/ParamDisplayText.h"
#include "plugin/ParamIndex.h"
#include "tests/editor_sections/SectionsRig.h"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <string>

namespace
{
using Format = std::function<void(char* out, int size)>;

struct FormatCase
{
    Format format;
    const char* expected;
};

std::string TextOf(const ITextControl* control)
{
    char text[ParamDisplayText::kTextSize];
    control->GetText(text, sizeof text);
    return text;
}

// What the VST2 binding shows a host for the parameter's current value.
std::string HostText(SectionsRig& rig, int index)
{
    AEffect* effect = rig.plugin().GetEffect();
    char text[64] = {};
    effect->dispatcher(effect, effGetParamDisplay, index, 0, text, 0.0f);
    return text;
}

constexpr double kSomeValues[] = {0.0, 0.25, 0.5, 0.75, 1.0};

std::string TooltipOf(const IControl* control)
{
    char text[ParamDisplayText::kTextSize];
    control->GetTooltip(text, sizeof text);
    return text;
}
}

TEST(DisplayText, FormatsTheUnitsValues)
{
    using namespace ParamDisplayText;
    const std::vector<FormatCase> cases = {
        {[](char* o, int n) { GateLevel(o, n, 0.0, 0.0); }, "-oodB"},
        {[](char* o, int n) { GateLevel(o, n, 0.5, 0.0625); }, "-24.1dB"},
        {[](char* o, int n) { GateLevel(o, n, 1.0, 1.0); }, "0.0dB"},
        {[](char* o, int n) { GateLevel(o, n, 0.9999, 0.9996); }, "0.0dB"},
        {[](char* o, int n) { BitDepth(o, n, 1.0); }, "1.0bit"},
        {[](char* o, int n) { BitDepth(o, n, 64.0); }, "64.0bit"},
        {[](char* o, int n) { ReducedRate(o, n, 1.0, 44100.0); }, "44100Hz"},
        {[](char* o, int n) { ReducedRate(o, n, 0.125, 44100.0); }, "5512Hz"},
        {[](char* o, int n) { ReducedRate(o, n, 0.0, 44100.0); }, "172Hz"},
        {[](char* o, int n) { ReducedRate(o, n, std::nan(""), 44100.0); }, "172Hz"},
        {[](char* o, int n) { Decibels(o, n, 0.0); }, "0.00 dB"},
        {[](char* o, int n) { Decibels(o, n, 5e-7); }, "0.00 dB"},
        {[](char* o, int n) { Decibels(o, n, -0.0048); }, "0.00 dB"},
        {[](char* o, int n) { Decibels(o, n, 0.0048); }, "0.00 dB"},
        {[](char* o, int n) { Decibels(o, n, -0.006); }, "-0.01 dB"},
        {[](char* o, int n) { Decibels(o, n, 3.5); }, "+3.50 dB"},
        {[](char* o, int n) { Decibels(o, n, -12.0); }, "-12.00 dB"},
        {[](char* o, int n) { Balance(o, n, 0.25); }, "75.0% / 25.0%"},
        {[](char* o, int n) { Frequency(o, n, 1234.56); }, "1234.6Hz"},
        {[](char* o, int n) { WholeHertz(o, n, 999.9); }, "999 Hz"},
        {[](char* o, int n) { Tooltip(o, n, "Input Channel Mode", ChannelModeName(2)); }, "Input Channel Mode: Mono Mix (L+R)"},
        {[](char* o, int n) { Tooltip(o, n, "Sub-Band Channel Mode", ChannelModeName(9)); }, "Sub-Band Channel Mode: Stereo"},
        {[](char* o, int n) { OutputFilterBand(o, n, 1); }, "20.0Hz-20000.0Hz"},
        {[](char* o, int n) { OutputFilterBand(o, n, 2); }, "40.0Hz-20000.0Hz"},
        {[](char* o, int n) { OutputFilterBand(o, n, 3); }, "off"},
    };
    for (const FormatCase& c : cases)
    {
        char text[ParamDisplayText::kTextSize];
        c.format(text, sizeof text);
        EXPECT_STREQ(text, c.expected);
    }
}

TEST(DisplayText, ModeNamesFallBackToTheirDefault)
{
    using namespace ParamDisplayText;
    EXPECT_STREQ(ShaperWaveformName(8), "Dyn-Noise");
    EXPECT_STREQ(ShaperWaveformName(9), "Sine");
    EXPECT_STREQ(ShaperModeName(3), "Boost+Sat.Shaper");
    EXPECT_STREQ(ShaperModeName(4), "Shaper");
    EXPECT_STREQ(TransitionName(1), "Medium");
    EXPECT_STREQ(TransitionName(5), "Fast");
    EXPECT_STREQ(TransitionName(-1), "Fast");
}

struct ParamTextCase
{
    int param;
    double value;
    std::function<ITextControl*(ParamDisplayControls&)> control;
    const char* expected;
};

TEST(DisplayText, ParameterChangesRewriteTheReadOuts)
{
    const std::vector<ParamTextCase> cases = {
        {kParamGateLevel, 0.0, [](ParamDisplayControls& d) { return d.gateText; }, "-oodB"},
        {kParamGateLevel, 0.5, [](ParamDisplayControls& d) { return d.gateText; }, "-24.1dB"},
        {kParamQuantization, 0.0, [](ParamDisplayControls& d) { return d.bitCrushText; }, "1.0bit"},
        {kParamQuantization, 1.0, [](ParamDisplayControls& d) { return d.bitCrushText; }, "64.0bit"},
        {kParamSampleRateReduction, 1.0, [](ParamDisplayControls& d) { return d.sampleRateText; }, "44100Hz"},
        {kParamSampleRateReduction, 0.5, [](ParamDisplayControls& d) { return d.sampleRateText; }, "5512Hz"},
        {kParamFilterBalance, 0.25, [](ParamDisplayControls& d) { return d.balanceText; }, "75.0% / 25.0%"},
        {kParamDistoEqBass, 0.5, [](ParamDisplayControls& d) { return d.distoEqTexts[0]; }, "0.00 dB"},
        {kParamSubBandEqHigh, 0.5, [](ParamDisplayControls& d) { return d.subEqTexts[3]; }, "0.00 dB"},
        {kParamDistoEqBass, 0.4999, [](ParamDisplayControls& d) { return d.distoEqTexts[0]; }, "0.00 dB"},
        {kParamSubBandEqHigh, 0.5001, [](ParamDisplayControls& d) { return d.subEqTexts[3]; }, "0.00 dB"},
        {kParamGateLevel, 0.99999, [](ParamDisplayControls& d) { return d.gateText; }, "0.0dB"},
        {kParamShaperWaveform, 1.0, [](ParamDisplayControls& d) { return d.shapeText; }, "Dyn-Noise"},
        {kParamFilterTransition, 0.0, [](ParamDisplayControls& d) { return d.transitionText; }, "Slow"},
    };
    for (const ParamTextCase& c : cases)
    {
        SectionsRig rig;
        rig.SetAndShow(c.param, c.value);
        SCOPED_TRACE(testing::Message() << "parameter " << c.param << " at " << c.value);
        ITextControl* control = c.control(rig.plugin().Displays());
        ASSERT_NE(control, nullptr);
        EXPECT_EQ(TextOf(control), c.expected);
    }
}

TEST(DisplayText, AnEqBoostCarriesAPlusSign)
{
    SectionsRig rig;
    rig.SetAndShow(kParamDistoEqHighMid, 1.0);
    const std::string text = TextOf(rig.plugin().Displays().distoEqTexts[2]);
    EXPECT_EQ(text.front(), '+');
    EXPECT_NE(text.find(" dB"), std::string::npos);
}

// Automation that leaves the text as it is costs no redraw.
TEST(DisplayText, AnUnchangedTextLeavesItsControlClean)
{
    SectionsRig rig;
    rig.SetAndShow(kParamGateLevel, 0.0);
    rig.Settle();
    ITextControl* gate = rig.plugin().Displays().gateText;
    rig.SetAndShow(kParamGateLevel, 0.0);
    EXPECT_FALSE(gate->IsDirty());
    rig.SetAndShow(kParamGateLevel, 1.0);
    EXPECT_TRUE(gate->IsDirty());
}

TEST(DisplayText, TooltipsNameTheChannelModesAndTheOutputBand)
{
    SectionsRig rig;
    ParamDisplayControls& d = rig.plugin().Displays();
    rig.SetAndShow(kParamInputChannelMode, 0.4);
    EXPECT_EQ(TooltipOf(d.inputChannelSwitch), "Input Channel Mode: Mono Mix (L+R)");
    rig.SetAndShow(kParamSubBandChannelMode, 1.0);
    EXPECT_EQ(TooltipOf(d.subBandChannelSwitch), "Sub-Band Channel Mode: Mono R/R");
    rig.SetAndShow(kParamHqFilter, 1.0 / 3.0);
    EXPECT_EQ(TooltipOf(d.outputFilterSwitch), "High-Quality Output Filter: 20.0Hz-20000.0Hz");
}

TEST(DisplayText, TheLimiterLevelGreysOutWhileTheLimiterIsOff)
{
    SectionsRig rig;
    IControl* knob = rig.plugin().Displays().limiterLevelKnob;
    ASSERT_NE(knob, nullptr);
    for (const auto& [mode, greyed] : {std::pair{0.0, true}, {0.25, false}, {1.0, false}, {0.0, true}})
    {
        rig.SetAndShow(kParamLimiterMode, mode);
        EXPECT_EQ(knob->IsGrayed(), greyed) << "mode " << mode;
    }
}

TEST(DisplayText, ShaperChangesShowTheShaperPreviewsAndCurveChangesTheCurve)
{
    SectionsRig rig;
    const CurveEditorState* drawArea = rig.plugin().Controls().curveDrawArea.state;
    ASSERT_NE(drawArea, nullptr);
    rig.SetAndShow(kParamShaperAmount, 0.7);
    EXPECT_EQ(drawArea->displayMode.load(), 1);
    rig.SetAndShow(kParamDistortionAmount, 0.3);
    EXPECT_EQ(drawArea->displayMode.load(), 0);
}

// A host-side editor swap must not leave the core writing into the old editor's controls.
TEST(DisplayText, AnotherEditorTakesTheOldControlsReferencesAlong)
{
    SectionsRig rig;
    rig.plugin().AttachEditor(new HeadlessGraphics(&rig.plugin()));
    EXPECT_EQ(rig.plugin().Displays().gateText, nullptr);
    EXPECT_EQ(rig.plugin().Controls().curveMenu, nullptr);
    rig.SetAndShow(kParamGateLevel, 0.5);
    rig.SetAndShow(kParamShaperAmount, 0.5);
}

struct ReadOut
{
    int param;
    std::function<ITextControl*(ParamDisplayControls&)> control;
};

// The read-outs beside the knobs show the text a host is shown for the same value.
TEST(DisplayText, ReadOutsShowTheHostsTexts)
{
    const std::vector<ReadOut> readOuts = {
        {kParamQuantization, [](ParamDisplayControls& d) { return d.bitCrushText; }},
        {kParamSampleRateReduction, [](ParamDisplayControls& d) { return d.sampleRateText; }},
        {kParamGateLevel, [](ParamDisplayControls& d) { return d.gateText; }},
        {kParamCurveInterpolation, [](ParamDisplayControls& d) { return d.interpolationText; }},
        {kParamShaperWaveform, [](ParamDisplayControls& d) { return d.shapeText; }},
        {kParamShaperMode, [](ParamDisplayControls& d) { return d.shaperModeText; }},
        {kParamFilterBalance, [](ParamDisplayControls& d) { return d.balanceText; }},
        {kParamFilterCutoff, [](ParamDisplayControls& d) { return d.cutoffText; }},
        {kParamFilterTransition, [](ParamDisplayControls& d) { return d.transitionText; }},
        {kParamDistoEqLowMid, [](ParamDisplayControls& d) { return d.distoEqTexts[1]; }},
        {kParamSubBandEqHigh, [](ParamDisplayControls& d) { return d.subEqTexts[3]; }},
        {kParamSubBandCutoff, [](ParamDisplayControls& d) { return d.lowSplitText; }},
        {kParamDistoBandCutoff, [](ParamDisplayControls& d) { return d.highSplitText; }},
        {kParamOutputSweep, [](ParamDisplayControls& d) { return d.sweepText; }},
    };
    SectionsRig rig;
    for (const ReadOut& r : readOuts)
        for (const double value : kSomeValues)
        {
            rig.SetAndShow(r.param, value);
            const ITextControl* control = r.control(rig.plugin().Displays());
            ASSERT_NE(control, nullptr) << r.param;
            EXPECT_EQ(TextOf(control), HostText(rig, r.param)) << "parameter " << r.param << " at " << value;
        }
}

// So do the captions under the knobs, as they are drawn.
TEST(DisplayText, KnobCaptionsShowTheHostsTexts)
{
    SectionsRig rig;
    std::vector<const ICaptionControl*> captions;
    for (int i = 0; i < rig.graphics->GetControlCount(); ++i)
        if (const auto* caption = dynamic_cast<const ICaptionControl*>(rig.graphics->GetControl(i)))
            captions.push_back(caption);
    ASSERT_FALSE(captions.empty());
    for (const double value : kSomeValues)
    {
        for (const ICaptionControl* caption : captions)
            rig.SetAndShow(caption->GetParamIndex(), value);
        rig.Settle();
        for (const ICaptionControl* caption : captions)
            EXPECT_EQ(TextOf(caption), HostText(rig, caption->GetParamIndex()))
                << "parameter " << caption->GetParamIndex() << " at " << value;
    }
}

// An on/off switch shows, and a host is told, what the effect does: most units run at any
// value but 0, the link, auto make-up and oversampling only above 0.5.
TEST(DisplayText, OnOffSwitchesShowWhatTheEffectDoes)
{
    struct SwitchCase
    {
        int param;
        double value;
        double frame;
        const char* text;
    };
    const SwitchCase cases[] = {
        {kParamFilterOn, 0.3, 1.0, "ON"},        {kParamFilterOn, 0.0, 0.0, "OFF"},
        {kParamDistortionOn, 0.01, 1.0, "ON"},   {kParamShaperInvert, 0.3, 1.0, "ON"},
        {kParamDistoEqOn, 0.3, 1.0, "ON"},       {kParamSubBandOn, 0.3, 1.0, "ON"},
        {kParamSubBandEqOn, 0.3, 1.0, "ON"},     {kParamAutoMakeUp, 0.5, 0.0, "OFF"},
        {kParamAutoMakeUp, 0.51, 1.0, "ON"},     {kParamBandLink, 0.5, 0.0, "UNLINKED"},
        {kParamOversampling, 0.5, 0.0, "OS 1x"}, {kParamOversampling, 0.7, 1.0, "OS 8x"},
    };
    SectionsRig rig;
    rig.Show(EditorView::kPlugInDistoBand);
    for (const SwitchCase& c : cases)
    {
        SCOPED_TRACE(testing::Message() << "parameter " << c.param << " at " << c.value);
        const IWzOnOffSwitch* shown = nullptr;
        for (int i = 0; i < rig.graphics->GetControlCount() && !shown; ++i)
        {
            const auto* candidate = dynamic_cast<const IWzOnOffSwitch*>(rig.graphics->GetControl(i));
            if (candidate && candidate->GetParamIndex() == c.param)
                shown = candidate;
        }
        ASSERT_NE(shown, nullptr);
        rig.SetAndShow(c.param, c.value);
        EXPECT_EQ(shown->FrameValue(), c.frame);
        EXPECT_EQ(HostText(rig, c.param), c.text);
    }
}

// A click turns over the state shown: a switch at 0.3 is on, so it goes off.
TEST(DisplayText, AClickTurnsAnOnOffSwitchOverFromTheStateShown)
{
    SectionsRig rig;
    rig.SetAndShow(kParamFilterOn, 0.3);
    rig.Settle();
    IControl* control = nullptr;
    for (int i = 0; i < rig.graphics->GetControlCount() && !control; ++i)
        if (IControl* candidate = rig.graphics->GetControl(i);
            dynamic_cast<IWzOnOffSwitch*>(candidate) && candidate->GetParamIndex() == kParamFilterOn)
            control = candidate;
    ASSERT_NE(control, nullptr);
    const Rect& r = control->GetDrawRect();
    rig.Click((r.left + r.right) / 2, (r.top + r.bottom) / 2);
    EXPECT_EQ(HostText(rig, kParamFilterOn), "OFF");
}
