#include "plugin/Zarvotone.h"

#include "editor/EditorLayout.h"
#include "editor/IWzDistoPresetMenu.h"
#include "editor/IWzDistortionCurveEditor.h"
#include "editor/IWzGraphLabel.h"
#include "editor/IWzModeSwitch.h"
#include "editor/IWzOnOffSwitch.h"
#include "editor/IWzRestoreCurveButton.h"
#include "graphics/ICaptionControl.h"
#include "graphics/IKnobMultiControl.h"
#include "graphics/ISwitchControl.h"
#include "graphics/ITextControl.h"
#include "plugin/ParamConversions.h"
#include "plugin/ParamIndex.h"

using namespace EditorLayout;

namespace
{
constexpr int kKnobFrames = 128;
constexpr int kCurveShapes = 81;
constexpr int kInterpolationModes = 5;
constexpr int kShaperModes = 4;
constexpr int kCentreAxis = 325;
constexpr int kMenuTop = 99;
constexpr int kSwitchColumnTop = 123;
constexpr int kSwitchRowStep = 21;
constexpr int kKnobCaptionTop = 221;
constexpr int kBigKnobCaptionTop = 206;
constexpr int kKnobTop = 236;
constexpr int kKnobGap = 15;
// The left column's captions and read-outs share it from the panel's edge to the amount knob by
// what they need: "SmpRate" and "44100 Hz" are the widest, "Gate" the narrowest.
constexpr int kLeftColumnLeft = 42;
constexpr int kRateColumnLeft = 95;
constexpr int kGateColumnLeft = 150;
constexpr int kLeftColumnRight = 197;
// The right column's captions and read-outs stand as close as 50 apart too.
constexpr int kRightColumnTextWidth = 50;
}

// The transfer-curve editor with its shape menu and switches in the centre, the bit-crush,
// sample-rate and gate knobs with the signal preview on the left, the dynamic shaper on the right.
void Zarvotone::AttachDistortionSection()
{
    const BitmapStrip onOff = LoadEditorBitmap(1032, "resources/img/switches/on_off.png", 2);
    const BitmapStrip amountKnob = LoadEditorBitmap(3004, "resources/img/knobs/distortion_knob.png", kKnobFrames);
    const BitmapStrip bitKnob = LoadEditorBitmap(3002, "resources/img/knobs/bit_crash_knob.png", kKnobFrames);
    const BitmapStrip rateKnob = LoadEditorBitmap(3005, "resources/img/knobs/sample_rate_knob.png", kKnobFrames);
    const BitmapStrip gateKnob = LoadEditorBitmap(3003, "resources/img/knobs/gate_knob.png", kKnobFrames);
    const BitmapStrip widthKnob = LoadEditorBitmap(3011, "resources/img/knobs/shaper_width_knob.png", kKnobFrames);
    const BitmapStrip waveKnob = LoadEditorBitmap(3010, "resources/img/knobs/shaper_type_knob.png", 9);
    const BitmapStrip previous = LoadEditorBitmap(1020, "resources/img/buttons/prev_button.png", 2);
    const BitmapStrip next = LoadEditorBitmap(1016, "resources/img/buttons/next_button.png", 2);
    const BitmapStrip interpolation = LoadEditorBitmap(1010, "resources/img/buttons/interp_mode_button.png", 2);
    const BitmapStrip shaperMode = LoadEditorBitmap(1015, "resources/img/buttons/mode_button.png", 2);
    const BitmapStrip distortionMode =
        LoadEditorBitmap(5001, "resources/img/buttons/disto_mode_button_3_states.png", 3);
    const BitmapStrip invert = LoadEditorBitmap(1011, "resources/img/buttons/invert_button_48x40.png", 2);
    const BitmapStrip previewDisplay = LoadEditorBitmap(2003, "resources/img/displays/disto_preview_display.png", 1);
    const BitmapStrip curveDisplay = LoadEditorBitmap(2002, "resources/img/displays/disto_curve_display.png", 1);
    const BitmapStrip nameDisplay = LoadEditorBitmap(2004, "resources/img/displays/disto_name_display.png", 1);
    const BitmapStrip polarity = LoadEditorBitmap(1019, "resources/img/buttons/signal_pos_neg_both_48x60.png", 3);
    const BitmapStrip restore = LoadEditorBitmap(1022, "resources/img/buttons/restore_on_off_48x40.png", 2);
    const BitmapStrip preFilter = LoadEditorBitmap(5005, "resources/img/buttons/pre_3_states.png", 3);
    const BitmapStrip postFilter = LoadEditorBitmap(5004, "resources/img/buttons/post_3_states.png", 3);

    const int wp = previewDisplay.FrameWidth();
    const int hp = previewDisplay.FrameHeight();
    const int wc = curveDisplay.FrameWidth();
    const int hc = curveDisplay.FrameHeight();
    const int wn = nameDisplay.FrameWidth();
    const int wd = amountKnob.FrameWidth();
    const int hd = amountKnob.FrameHeight();
    const int wb = bitKnob.FrameWidth();
    const int hb = bitKnob.FrameHeight();
    const int ww = widthKnob.FrameWidth();

    const int curveLeft = kCentreAxis - wc / 2;
    const int menuLeft = kCentreAxis - wn / 2;
    const int previewCaption = wp / 2 - 7;
    const int previewLeft = previewCaption - 1;
    const int shaperKnob = curveLeft + 154;
    const int shaperSwitches = curveLeft + 153;
    const int widthLeft = shaperKnob + wd + kKnobGap;
    const int waveLeft = widthLeft + ww + kKnobGap;
    const int bitLeft = 55;
    const int rateLeft = wb + 70;
    const int gateLeft = wb + kKnobGap + rateLeft;
    const int amountCaption = wd / 2 + 167;
    const int amountLeft = amountCaption + (kTextWidth - wd) / 2;
    const int readOutTop = hd + kKnobCaptionTop;
    const int smallReadOutTop = hb + kKnobTop;
    const int centreSwitches = amountLeft;
    const TextStyle* caption = Style(kCaptionStyle);

    mShaperPreviews.Compute(mUnits.hostRate.chain1);
    mPreviews.Compute(mUnits.hostRate.chain1);
    auto* drawArea = new Wezmark::IWzDistortionCurveEditor(this, this, &mPreviews.curve, &mShaperPreviews.curve,
                                                           curveLeft, DistortionChain::kCurvePreviewPoints,
                                                           &curveDisplay);
    auto* signalPreview = new Wezmark::IWzDistortionCurveEditor(this, this, &mPreviews.signal,
                                                                &mShaperPreviews.signal, previewLeft,
                                                                DistortionChain::kSignalPreviewFrames, &previewDisplay);
    drawArea->SetLinkedControl(signalPreview);
    signalPreview->SetHighlightEnabled(false);
    drawArea->SetTooltip("Distortion Curve Draw Area");
    signalPreview->SetTooltip("Distortion Curve Signal Preview");
    mControls.curveDrawArea = {AddToTab(drawArea), &drawArea->State()};
    mControls.curveSignalPreview = {AddToTab(signalPreview), &signalPreview->State()};

    const int curveTop = Wezmark::IWzDistortionCurveEditor::kY;
    AddToTab(NewCaption(TextBox(curveLeft, curveTop + hc + 3, wc), caption, "Distortion Curve"));
    const int previewTextWidth = wp - 2;
    AddToTab(NewCaption(TextBox(previewCaption, hp + 126, previewTextWidth), caption, "Curve Preview"));
    mDisplays.interpolationText =
        AddToTab(NewCaption(TextBox(previewCaption, hp + 141, previewTextWidth), caption, "interpolation"));
    auto* menu = new Wezmark::IWzDistoPresetMenu(this, this, menuLeft, caption, &nameDisplay, kNoTextBackground);
    menu->SetTooltip("Drop-Down Distortion Curve Selection");
    mControls.curveMenu = AddToTab(menu);

    // The read-outs under the left knobs are made first; they join the list after their captions.
    const auto leftColumnText = [](int left, int right, int top) { return Rect{left, top, right, top + kTextHeight}; };
    auto* bitText = NewCaption(leftColumnText(kLeftColumnLeft, kRateColumnLeft, smallReadOutTop), caption, "64 bit");
    auto* rateText = NewCaption(leftColumnText(kRateColumnLeft, kGateColumnLeft, smallReadOutTop), caption, "44100 Hz");
    auto* gateText = NewCaption(leftColumnText(kGateColumnLeft, kLeftColumnRight, smallReadOutTop), caption, "-oo dB");
    AddToTab(NewCaption(TextBox(amountCaption, kBigKnobCaptionTop), caption, "Amount"));
    AddToTab(new ICaptionControl(this, TextBox(amountCaption, readOutTop), kParamDistortionAmount, caption, true));
    AddToTab(NewCaption(leftColumnText(kLeftColumnLeft, kRateColumnLeft, kKnobCaptionTop), caption, "BitCrash"));
    mDisplays.bitCrushText = AddToTab(bitText);
    AddToTab(NewCaption(leftColumnText(kRateColumnLeft, kGateColumnLeft, kKnobCaptionTop), caption, "SmpRate"));
    mDisplays.sampleRateText = AddToTab(rateText);
    AddToTab(NewCaption(leftColumnText(kGateColumnLeft, kLeftColumnRight, kKnobCaptionTop), caption, "Gate"));
    mDisplays.gateText = AddToTab(gateText);

    AddToTab(new IWzOnOffSwitch(this, 45, 81, kParamDistortionOn, &onOff, ParamConversions::IsOn));
    AddToTab(new IKnobMultiControl(this, amountLeft, kKnobCaptionTop, kParamDistortionAmount, &amountKnob));
    AddToTab(new IWzModeSwitch(this, menuLeft - previous.FrameWidth(), kMenuTop, &previous, kParamDistortionType,
                               kCurveShapes, &mCurrentValues, false, IWzModeSwitch::kDown));
    AddToTab(new IWzModeSwitch(this, menuLeft + wn, kMenuTop, &next, kParamDistortionType, kCurveShapes,
                               &mCurrentValues, false, IWzModeSwitch::kUp));
    auto* interpolationSwitch =
        new IWzModeSwitch(this, centreSwitches, kSwitchColumnTop + kSwitchRowStep, &interpolation,
                          kParamCurveInterpolation, kInterpolationModes, &mCurrentValues, true, IWzModeSwitch::kUp);
    interpolationSwitch->SetTooltip("Distortion Curve Interpolation");
    AddToTab(interpolationSwitch);
    AddToTab(new ISwitchControl(this, centreSwitches, kSwitchColumnTop, kParamDistortionMode, &distortionMode));
    AddToTab(new ISwitchControl(this, centreSwitches, kSwitchColumnTop + 2 * kSwitchRowStep, kParamDistortionPolarity,
                                &polarity));
    AddToTab(new ISwitchControl(this, 66, 101, kParamPreFilterProcess, &preFilter));
    AddToTab(new ISwitchControl(this, 131, 101, kParamPostFilterProcess, &postFilter));
    auto* restoreButton =
        new IWzRestoreCurveButton(this, centreSwitches, kSwitchColumnTop + 3 * kSwitchRowStep, &restore, this);
    restoreButton->SetTooltip("Restore Original Curve");
    AddToTab(restoreButton);
    AddToTab(new IKnobMultiControl(this, bitLeft, kKnobTop, kParamQuantization, &bitKnob));
    AddToTab(new IKnobMultiControl(this, rateLeft, kKnobTop, kParamSampleRateReduction, &rateKnob));
    AddToTab(new IKnobMultiControl(this, gateLeft, kKnobTop, kParamGateLevel, &gateKnob));

    const auto rightColumnText = [&](int knobLeft, int knobWidth, int top) {
        return CentredTextBox(knobLeft, knobWidth, top, kRightColumnTextWidth);
    };
    AddToTab(NewCaption(rightColumnText(shaperKnob, wd, kBigKnobCaptionTop), caption, "Amount"));
    AddToTab(new IKnobMultiControl(this, shaperKnob, kKnobCaptionTop, kParamShaperAmount, &amountKnob));
    AddToTab(new ICaptionControl(this, rightColumnText(shaperKnob, wd, readOutTop), kParamShaperAmount, caption, true));
    AddToTab(new IWzOnOffSwitch(this, shaperSwitches, kSwitchColumnTop + kSwitchRowStep, kParamShaperInvert, &invert,
                                ParamConversions::IsOn));
    AddToTab(new IWzModeSwitch(this, shaperSwitches, kSwitchColumnTop, &shaperMode, kParamShaperMode, kShaperModes,
                               &mCurrentValues, true, IWzModeSwitch::kUp));
    AddToTab(new ISwitchControl(this, shaperSwitches, kSwitchColumnTop + 2 * kSwitchRowStep, kParamShaperPolarity,
                                &polarity));

    AddToTab(NewCaption(rightColumnText(widthLeft, ww, kKnobCaptionTop), caption, "Width"));
    AddToTab(new IKnobMultiControl(this, widthLeft, kKnobTop, kParamShaperWidth, &widthKnob));
    AddToTab(new ICaptionControl(this, rightColumnText(widthLeft, ww, smallReadOutTop), kParamShaperWidth, caption,
                                 true));
    AddToTab(NewCaption(rightColumnText(waveLeft, wb, kKnobCaptionTop), caption, "Shape"));
    AddToTab(new IKnobMultiControl(this, waveLeft, kKnobTop, kParamShaperWaveform, &waveKnob));
    auto* shapeText = NewCaption(rightColumnText(waveLeft, wb, smallReadOutTop), caption, "shape");
    // Over the curve's lower right corner, on the display's glass so the curve does not run
    // through its letters; like every caption it lets presses through to the curve.
    auto* shaperModeText = new IWzGraphLabel(this, TextBox(curveLeft, 246, wc - 16), Style(kCaptionRightStyle),
                                             "shaper mode", kDisplayGlass);
    shaperModeText->SetTargetRect(Rect{});
    mDisplays.shapeText = AddToTab(shapeText);
    mDisplays.shaperModeText = AddToTab(shaperModeText);
}
