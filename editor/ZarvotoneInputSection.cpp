#include "plugin/Zarvotone.h"

#include "editor/EditorLayout.h"
#include "editor/IWzCaptionControl.h"
#include "graphics/IKnobMultiControl.h"
#include "graphics/ISwitchControl.h"
#include "graphics/ITextControl.h"
#include "plugin/ParamIndex.h"

using namespace EditorLayout;

// Input volume, DC offset and saturation with their captions and read-outs, and the
// saturation-mode and channel-mode switches, at the bottom left of the plug-in tab.
void Zarvotone::AttachInputSection()
{
    constexpr int kKnobFrames = 128;
    constexpr int kCaptionTop = 612;
    constexpr int kVolumeTop = 627;
    constexpr int kSmallKnobTop = 642;
    constexpr int kVolumeLeft = 55;
    const BitmapStrip volume = LoadEditorBitmap(3023, "resources/img/knobs/volume_knob.png", kKnobFrames);
    const BitmapStrip saturation = LoadEditorBitmap(3021, "resources/img/knobs/io_sat.png", kKnobFrames);
    const BitmapStrip offset = LoadEditorBitmap(3001, "resources/img/knobs/offset_knob.png", kKnobFrames);
    const BitmapStrip channelMode = LoadEditorBitmap(1002, "resources/img/buttons/channel_mode_button.png", 5);
    const BitmapStrip saturationMode = LoadEditorBitmap(1023, "resources/img/buttons/sat_mode_button.png", 3);

    const int wv = volume.FrameWidth();
    const int hv = volume.FrameHeight();
    const int ws = saturation.FrameWidth();
    const int hs = saturation.FrameHeight();
    const int column1 = wv / 2 + 25;
    const int x2 = wv + 75;
    const int x3 = x2 + 20 + ws;
    // The two small knobs stand x3 - x2 apart: each caption and read-out gets that much room.
    const auto smallKnobText = [&](int knobLeft, int top) { return CentredTextBox(knobLeft, ws, top, x3 - x2); };
    const TextStyle* caption = Style(kCaptionStyle);

    AddToTab(new ISwitchControl(this, CentredUnder(x3, saturation, saturationMode), 659 + hs,
                                kParamInputSaturationMode, &saturationMode));
    AddToTab(NewCaption(TextBox(column1, kCaptionTop), caption, "In-Vol"));
    AddToTab(new IKnobMultiControl(this, kVolumeLeft, kVolumeTop, kParamInputVolume, &volume));
    AddToTab(new IWzCaptionControl(this, TextBox(column1, kVolumeTop + hv), kParamInputVolume, caption,
                                   IWzCaptionControl::kDecibels));
    AddToTab(NewCaption(smallKnobText(x2, kVolumeTop), caption, "DC-Offset"));
    AddToTab(new IKnobMultiControl(this, x2, kSmallKnobTop, kParamInputDcOffset, &offset));
    AddToTab(new IWzCaptionControl(this, smallKnobText(x2, kSmallKnobTop + hs), kParamInputDcOffset, caption,
                                   IWzCaptionControl::kCentredDoubled));
    AddToTab(NewCaption(smallKnobText(x3, kVolumeTop), caption, "In-Sat"));
    AddToTab(new IKnobMultiControl(this, x3, kSmallKnobTop, kParamInputSaturation, &saturation));
    AddToTab(new IWzCaptionControl(this, smallKnobText(x3, kSmallKnobTop + hs), kParamInputSaturation, caption,
                                   IWzCaptionControl::kPercent));
    mDisplays.inputChannelSwitch = AddToTab(new ISwitchControl(
        this, wv / 2 - channelMode.FrameWidth() / 2 + kVolumeLeft, hv + 644, kParamInputChannelMode, &channelMode));
}
