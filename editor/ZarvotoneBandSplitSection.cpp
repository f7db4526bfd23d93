#include "plugin/Zarvotone.h"

#include "editor/EditorLayout.h"
#include "editor/IBandFreqDispay.h"
#include "editor/IWzCaptionControl.h"
#include "editor/IWzOnOffSwitch.h"
#include "graphics/ICaptionControl.h"
#include "graphics/IKnobMultiControl.h"
#include "graphics/ISwitchControl.h"
#include "graphics/ITextControl.h"
#include "plugin/ParamConversions.h"
#include "plugin/ParamIndex.h"

using namespace EditorLayout;

// The split of the signal into a sub band and a distortion band: the band display, the sub
// band's gain, saturation and distortion, the two cutoffs with their slopes and link, and the
// distortion band's gain.
void Zarvotone::AttachBandSplitSection()
{
    constexpr int kKnobFrames = 128;
    constexpr int kKnobTop = 488;
    constexpr int kDisplayTop = 480;
    constexpr int kGap = 14;
    const BitmapStrip onOff = LoadEditorBitmap(1032, "resources/img/switches/on_off.png", 2);
    const BitmapStrip gainKnob = LoadEditorBitmap(3017, "resources/img/knobs/gain_knob.png", kKnobFrames);
    const BitmapStrip distortionKnob = LoadEditorBitmap(3004, "resources/img/knobs/distortion_knob.png", kKnobFrames);
    const BitmapStrip filterKnob = LoadEditorBitmap(3000, "resources/img/knobs/filter_knob.png", kKnobFrames);
    const BitmapStrip saturationKnob = LoadEditorBitmap(3022, "resources/img/knobs/saturation_knob.png", kKnobFrames);
    const BitmapStrip channelMode = LoadEditorBitmap(1002, "resources/img/buttons/channel_mode_button.png", 5);
    const BitmapStrip link = LoadEditorBitmap(1013, "resources/img/buttons/link_on_off.png", 2);
    const BitmapStrip saturationMode = LoadEditorBitmap(1023, "resources/img/buttons/sat_mode_button.png", 3);
    const BitmapStrip display = LoadEditorBitmap(2001, "resources/img/displays/band_display.png", 1);
    const BitmapStrip slope = LoadEditorBitmap(1000, "resources/img/buttons/band_filter_slope.png", 4);

    const int g = gainKnob.FrameWidth();
    const int f = filterKnob.FrameWidth();
    const int l = link.FrameWidth();
    const int gainLeft = 55;
    const int saturationLeft = g + 70;
    const int distortionLeft = 2 * g + 85;
    const int x1 = 3 * g + 100;
    const int gapLeft = x1 + f + kGap;
    const int x2 = gapLeft + l + kGap;
    const int distoGainLeft = x2 + g + 15;
    const int captionTop = kKnobTop - kTextHeight;
    const int valueTop = kKnobTop + gainKnob.FrameHeight();
    // Caption boxes above and below a knob of the row.
    const auto above = [captionTop](int left, const BitmapStrip& knob) {
        return CentredTextBox(left, knob.FrameWidth(), captionTop);
    };
    const auto below = [valueTop](int left, const BitmapStrip& knob) {
        return CentredTextBox(left, knob.FrameWidth(), valueTop);
    };
    const auto switchTop = [](const BitmapStrip& knob) { return 504 + knob.FrameHeight(); };
    const TextStyle* caption = Style(kCaptionStyle);

    auto* bands = new Wezmark::IBandFreqDispay(this, gapLeft, kDisplayTop, &display, this);
    bands->SetTooltip("Sub-/Disto-Band Frequency Display");
    mDisplays.bandDisplay = AddToTab(bands);
    // Over the display, as wide as the room between the two cutoff captions.
    const int captionLeft = above(x1, filterKnob).right;
    AddToTab(NewCaption(TextBox(captionLeft, kDisplayTop - kTextHeight, above(x2, filterKnob).left - captionLeft),
                        caption, "Sub-/Disto-Band Frequency"));
    AddToTab(NewCaption(above(gainLeft, gainKnob), caption, "Gain"));
    AddToTab(NewCaption(above(saturationLeft, saturationKnob), caption, "Saturation"));
    AddToTab(NewCaption(above(distortionLeft, distortionKnob), caption, "Distortion"));
    AddToTab(NewCaption(above(x1, filterKnob), caption, "Low-Pass"));
    AddToTab(NewCaption(above(x2, filterKnob), caption, "High-Pass"));
    AddToTab(NewCaption(above(distoGainLeft, gainKnob), caption, "Gain"));
    AddToTab(new IWzCaptionControl(this, below(gainLeft, gainKnob), kParamSubBandGain, caption,
                                   IWzCaptionControl::kDecibels));
    AddToTab(new IWzCaptionControl(this, below(saturationLeft, saturationKnob), kParamSubBandSaturation, caption,
                                   IWzCaptionControl::kPercent));
    AddToTab(new ICaptionControl(this, below(distortionLeft, distortionKnob), kParamSubBandDistortion, caption, false));
    mDisplays.lowSplitText = AddToTab(NewCaption(below(x1, filterKnob), caption, "LP Freq."));
    mDisplays.highSplitText = AddToTab(NewCaption(below(x2, filterKnob), caption, "HP Freq."));
    AddToTab(new IWzCaptionControl(this, below(distoGainLeft, gainKnob), kParamDistoBandGain, caption,
                                   IWzCaptionControl::kDecibels));

    AddToTab(new IWzOnOffSwitch(this, 45, 446, kParamSubBandOn, &onOff, ParamConversions::IsOn));
    AddToTab(new IKnobMultiControl(this, gainLeft, kKnobTop, kParamSubBandGain, &gainKnob));
    mDisplays.subBandChannelSwitch =
        AddToTab(new ISwitchControl(this, CentredUnder(gainLeft, gainKnob, channelMode), switchTop(gainKnob),
                                    kParamSubBandChannelMode, &channelMode));
    AddToTab(new IKnobMultiControl(this, distortionLeft, kKnobTop, kParamSubBandDistortion, &distortionKnob));
    AddToTab(new IKnobMultiControl(this, saturationLeft, kKnobTop, kParamSubBandSaturation, &saturationKnob));
    AddToTab(new ISwitchControl(this, CentredUnder(saturationLeft, saturationKnob, saturationMode),
                                switchTop(saturationKnob), kParamSubBandSaturationMode, &saturationMode));
    AddToTab(new IKnobMultiControl(this, x1, kKnobTop, kParamSubBandCutoff, &filterKnob));
    AddToTab(new ISwitchControl(this, CentredUnder(x1, filterKnob, slope), switchTop(filterKnob), kParamSubBandSlope,
                                &slope));
    AddToTab(new IKnobMultiControl(this, x2, kKnobTop, kParamDistoBandCutoff, &filterKnob));
    AddToTab(new ISwitchControl(this, CentredUnder(x2, filterKnob, slope), switchTop(filterKnob), kParamDistoBandSlope,
                                &slope));
    AddToTab(new IWzOnOffSwitch(this, gapLeft, 485 + link.FrameHeight(), kParamBandLink, &link,
                                ParamConversions::IsAboveHalf));
    AddToTab(new IKnobMultiControl(this, distoGainLeft, kKnobTop, kParamDistoBandGain, &gainKnob));
}
