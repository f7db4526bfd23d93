#include "plugin/Zarvotone.h"

#include "editor/EditorLayout.h"
#include "editor/IWzFilterUnitMenu.h"
#include "editor/IWzOnOffSwitch.h"
#include "graphics/IBitmapControl.h"
#include "graphics/ICaptionControl.h"
#include "graphics/IFaderControl.h"
#include "graphics/IKnobMultiControl.h"
#include "graphics/ITextControl.h"
#include "plugin/ParamConversions.h"
#include "plugin/ParamIndex.h"

using namespace EditorLayout;

// The dual filter of the distortion band: drive, cutoff, resonance and transition knobs, the
// balance slider between the two filters and a type menu for each.
void Zarvotone::AttachFilterSection()
{
    constexpr int kKnobFrames = 128;
    constexpr int kBigKnobTop = 338;
    constexpr int kSmallKnobTop = 350;
    constexpr int kCaptionAbove = 15;
    constexpr int kDriveLeft = 70;
    constexpr int kMenuTop = 412;
    constexpr int kSliderTop = 406;
    constexpr int kFaderTop = 405;
    constexpr int kBalanceTextTop = 421;
    const BitmapStrip onOff = LoadEditorBitmap(1032, "resources/img/switches/on_off.png", 2);
    const BitmapStrip handle = LoadEditorBitmap(4001, "resources/img/slider_handle.png", 1);
    const BitmapStrip track = LoadEditorBitmap(4000, "resources/img/slider_background.png", 1);
    const BitmapStrip cutoffKnob = LoadEditorBitmap(3000, "resources/img/knobs/filter_knob.png", kKnobFrames);
    const BitmapStrip resonanceKnob = LoadEditorBitmap(3020, "resources/img/knobs/resonance_knob.png", kKnobFrames);
    const BitmapStrip driveKnob = LoadEditorBitmap(3006, "resources/img/knobs/drive_knob.png", kKnobFrames);
    const BitmapStrip transitionKnob = LoadEditorBitmap(3016, "resources/img/knobs/filter_transition_knob.png", 3);
    const BitmapStrip typeDisplay = LoadEditorBitmap(2007, "resources/img/displays/filter_type_display.png", 1);

    const int wd = driveKnob.FrameWidth();
    const int hd = driveKnob.FrameHeight();
    const int wf = cutoffKnob.FrameWidth();
    const int hf = cutoffKnob.FrameHeight();
    const int wr = resonanceKnob.FrameWidth();
    const int wt = transitionKnob.FrameWidth();
    const int wtd = typeDisplay.FrameWidth();
    const int wsb = track.FrameWidth();
    const int driveCaption = wd / 2 + 40;
    const int cutoffLeft = wd + 90;
    const int cutoffCaption = wf / 2 - 30 + cutoffLeft;
    const int resonanceLeft = wr + 15 + cutoffLeft;
    const int resonanceCaption = resonanceLeft - 30 + wr / 2;
    const int transitionLeft = resonanceLeft + 20 + wr;
    const int transitionCaption = wt / 2 - 30 + transitionLeft;
    const int bigReadOutTop = hf + kBigKnobTop;
    const int smallReadOutTop = hd + kSmallKnobTop;
    const int leftMenu = wd / 2 - wtd / 2 + kDriveLeft;
    const int rightMenu = wd / 2 - wtd / 2 + (transitionLeft - 2);
    const int sliderLeft = wtd + 9 + leftMenu;
    const TextStyle* caption = Style(kCaptionStyle);

    AddToTab(NewCaption(TextBox(driveCaption, kSmallKnobTop - kCaptionAbove), caption, "In-Drive"));
    AddToTab(NewCaption(TextBox(cutoffCaption, kBigKnobTop - kCaptionAbove), caption, "Cutoff"));
    AddToTab(NewCaption(TextBox(resonanceCaption, kBigKnobTop - kCaptionAbove), caption, "Reso/BW"));
    AddToTab(NewCaption(TextBox(transitionCaption, kSmallKnobTop - kCaptionAbove), caption, "Transition"));
    AddToTab(new ICaptionControl(this, TextBox(driveCaption, smallReadOutTop), kParamFilterDrive, caption, true));
    mDisplays.cutoffText = AddToTab(NewCaption(TextBox(cutoffCaption, bigReadOutTop), caption, "cutoff"));
    AddToTab(new ICaptionControl(this, TextBox(resonanceCaption, bigReadOutTop), kParamFilterResonance, caption, true));
    mDisplays.transitionText =
        AddToTab(NewCaption(TextBox(transitionCaption, smallReadOutTop), caption, "transition"));
    // The balance text has the whole room between the two type menus beside it.
    mDisplays.balanceText = AddToTab(
        NewCaption(TextBox(leftMenu + wtd + 1, kBalanceTextTop, rightMenu - leftMenu - wtd - 1), caption,
                   "filter balance text"));
    AddToTab(new IKnobMultiControl(this, kDriveLeft, kSmallKnobTop, kParamFilterDrive, &driveKnob));
    AddToTab(new IKnobMultiControl(this, cutoffLeft, kBigKnobTop, kParamFilterCutoff, &cutoffKnob));
    AddToTab(new IKnobMultiControl(this, resonanceLeft, kBigKnobTop, kParamFilterResonance, &resonanceKnob));
    AddToTab(new IKnobMultiControl(this, transitionLeft, kSmallKnobTop, kParamFilterTransition, &transitionKnob));
    AddToTab(new IWzOnOffSwitch(this, 45, 296, kParamFilterOn, &onOff, ParamConversions::IsOn));
    AddToTab(NewPlate(sliderLeft, kSliderTop, &track));
    AddToTab(new IFaderControl(this, Rect{sliderLeft, kFaderTop, sliderLeft + wsb, kFaderTop + handle.FrameHeight()},
                               kParamFilterBalance, &handle, wsb, IFaderControl::kHorizontal));

    constexpr std::array<const char*, 2> kMenuTooltips = {"Drop-Down Left Filter 1 Type Selection",
                                                          "Drop-Down Right Filter 2 Type Selection"};
    const std::array<int, 2> menuLefts = {leftMenu, rightMenu};
    for (int unit = 0; unit < 2; ++unit)
    {
        auto* menu = new Wezmark::IWzFilterUnitMenu(this, this, unit, menuLefts[static_cast<size_t>(unit)], kMenuTop,
                                                    caption, &typeDisplay, kNoTextBackground);
        menu->SetTooltip(kMenuTooltips[static_cast<size_t>(unit)]);
        mDisplays.filterTypeMenus[static_cast<size_t>(unit)] = AddToTab(menu);
    }
}
