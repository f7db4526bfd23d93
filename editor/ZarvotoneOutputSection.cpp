#include "plugin/Zarvotone.h"

#include "editor/EditorLayout.h"
#include "editor/IWzCaptionControl.h"
#include "editor/IWzOnOffSwitch.h"
#include "graphics/IKnobMultiControl.h"
#include "graphics/ISwitchControl.h"
#include "graphics/ITextControl.h"
#include "plugin/ParamConversions.h"
#include "plugin/ParamIndex.h"

using namespace EditorLayout;

// The output strip: pan, sweep filter, saturation, dry/wet and limiter knobs in a row with
// their mode switches, the automatic make-up switch, and the output volume with oversampling.
void Zarvotone::AttachOutputSection()
{
    constexpr int kKnobFrames = 128;
    constexpr int kRowTop = 642;
    constexpr int kNameTop = 627;
    constexpr int kKnobSpacing = 20;
    constexpr int kVolumeLeft = 547;
    constexpr int kVolumeTop = 627;
    const BitmapStrip volumeKnob = LoadEditorBitmap(3023, "resources/img/knobs/volume_knob.png", kKnobFrames);
    const BitmapStrip panKnob = LoadEditorBitmap(3019, "resources/img/knobs/pan_knob.png", kKnobFrames);
    const BitmapStrip saturationKnob = LoadEditorBitmap(3021, "resources/img/knobs/io_sat.png", kKnobFrames);
    const BitmapStrip dryWetKnob = LoadEditorBitmap(3007, "resources/img/knobs/dry_wet_knob.png", kKnobFrames);
    const BitmapStrip limiterKnob = LoadEditorBitmap(3018, "resources/img/knobs/limiter_knob.png", kKnobFrames);
    const BitmapStrip limiterMode = LoadEditorBitmap(1012, "resources/img/buttons/clipper_mode_button.png", 4);
    // Loaded as the limiter-mode art, though the high-quality filter switch took its place.
    LoadEditorBitmap(1112, "resources/img/buttons/limiter_mode_button.png", 2);
    const BitmapStrip saturationMode = LoadEditorBitmap(1023, "resources/img/buttons/sat_mode_button.png", 3);
    const BitmapStrip sweepKnob = LoadEditorBitmap(3008, "resources/img/knobs/lp_hq_knob.png", kKnobFrames);
    const BitmapStrip oversampling = LoadEditorBitmap(1018, "resources/img/buttons/oversampling_button.png", 2);
    const BitmapStrip makeUp = LoadEditorBitmap(5000, "resources/img/switches/make_up_on_off.png", 2);
    const BitmapStrip sweepSlope = LoadEditorBitmap(1005, "resources/img/buttons/filter_slope.png", 2);
    const BitmapStrip highQuality = LoadEditorBitmap(1008, "resources/img/buttons/hq_filter_3_states.png", 3);

    const int k = saturationKnob.FrameWidth();
    const int x1 = 503 - k;
    const int x2 = x1 - k - kKnobSpacing;
    const int x3 = x2 - k - kKnobSpacing;
    const int x4 = x3 - k - kKnobSpacing;
    const int x5 = x4 - k - kKnobSpacing;
    const int valueTop = kRowTop + saturationKnob.FrameHeight();
    const int switchTop = 659 + limiterKnob.FrameHeight();
    const TextStyle* caption = Style(kCaptionStyle);
    const int pitch = k + kKnobSpacing;
    // A knob of the row with its name above and, unless `format` is negative, its value below;
    // each text as wide as the knobs stand apart, so it has room of its own.
    const auto addKnob = [&](int left, const BitmapStrip& knob, int param, const char* name, int format) {
        IControl* control = AddToTab(new IKnobMultiControl(this, left, kRowTop, param, &knob));
        AddToTab(NewCaption(CentredTextBox(left, k, kNameTop, pitch), caption, name));
        if (format >= 0)
            AddToTab(new IWzCaptionControl(this, CentredTextBox(left, k, valueTop, pitch), param, caption, format));
        return control;
    };

    addKnob(x5, panKnob, kParamPan, "Pan", IWzCaptionControl::kBipolar);
    addKnob(x3, sweepKnob, kParamOutputSweep, "LP/HP", -1);
    mDisplays.sweepText = AddToTab(new ITextControl(
        this, CentredTextBox(x3, k, valueTop, pitch), caption, "freq."));
    addKnob(x4, saturationKnob, kParamOutputSaturation, "Out-Sat", IWzCaptionControl::kPercent);
    addKnob(x2, dryWetKnob, kParamDryWet, "Dry/Wet", IWzCaptionControl::kPercent);
    mDisplays.limiterLevelKnob =
        addKnob(x1, limiterKnob, kParamLimiterLevel, "Clipper", IWzCaptionControl::kDecibels);

    // Between the limiter knob and the volume knob, as wide as the gap between them.
    AddToTab(NewCaption(Rect{505, 640, 545, 656}, caption, "Auto"));
    AddToTab(NewCaption(Rect{505, 656, 545, 672}, caption, "MU"));
    auto* makeUpSwitch = new IWzOnOffSwitch(this, 525 - makeUp.FrameWidth() / 2, 675, kParamAutoMakeUp, &makeUp,
                                           ParamConversions::IsAboveHalf);
    makeUpSwitch->SetTooltip("Make-Up: auto compensate clipper threshold level");
    AddToTab(makeUpSwitch);

    const int volumeCaption = 517 + volumeKnob.FrameWidth() / 2;
    AddToTab(new IKnobMultiControl(this, kVolumeLeft, kVolumeTop, kParamVolume, &volumeKnob));
    AddToTab(NewCaption(TextBox(volumeCaption, 612), caption, "Out-Vol"));
    AddToTab(new IWzCaptionControl(this, TextBox(volumeCaption, kVolumeTop + volumeKnob.FrameHeight()), kParamVolume,
                                   caption, IWzCaptionControl::kDecibels));

    AddToTab(new IWzOnOffSwitch(this, CentredUnder(kVolumeLeft, volumeKnob, oversampling),
                                644 + volumeKnob.FrameHeight(), kParamOversampling, &oversampling,
                                ParamConversions::IsAboveHalf));
    AddToTab(new ISwitchControl(this, CentredUnder(x1, limiterKnob, limiterMode), switchTop, kParamLimiterMode,
                                &limiterMode));
    AddToTab(new ISwitchControl(this, CentredUnder(x3, sweepKnob, sweepSlope), switchTop, kParamOutputSweepSlope,
                                &sweepSlope));
    AddToTab(new ISwitchControl(this, CentredUnder(x4, saturationKnob, saturationMode),
                                659 + saturationKnob.FrameHeight(), kParamOutputSaturationMode, &saturationMode));
    mDisplays.outputFilterSwitch = AddToTab(new ISwitchControl(this, CentredUnder(x2, dryWetKnob, highQuality),
                                                               switchTop, kParamHqFilter, &highQuality));
}
