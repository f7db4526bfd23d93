#include "plugin/Zarvotone.h"

#include "editor/EditorLayout.h"
#include "editor/IEqTabButton.h"
#include "editor/IWzOnOffSwitch.h"
#include "graphics/IBitmapControl.h"
#include "graphics/IGraphics.h"
#include "graphics/IKnobMultiControl.h"
#include "graphics/ITextControl.h"
#include "plugin/ParamConversions.h"
#include "plugin/ParamDisplayText.h"
#include "plugin/ParamIndex.h"

#include <cstdio>

using namespace EditorLayout;

namespace
{
constexpr int kBands = 4;
constexpr int kKnobFrames = 128;
constexpr int kTabTop = 294;
constexpr int kSwitchTop = 296;
constexpr int kSwitchInset = 5;
constexpr int kKnobTop = 340;
constexpr int kCaptionTop = 325;
constexpr int kFrequencyTop = 416;
constexpr int kDisplayLeft = 341;
constexpr int kDisplayTop = 412;
constexpr std::array<const char*, kBands> kBandCaptions = {"Bass", "Lo-Mid", "Hi-Mid", "High"};
constexpr std::array<int, kBands> kBandStyles = {kRedStyle, kOrangeStyle, kYellowStyle, kGreenStyle};
constexpr std::array<int, kBands> kSubBandParams = {kParamSubBandEqBass, kParamSubBandEqMid, kParamSubBandEqHighMid,
                                                    kParamSubBandEqHigh};
constexpr std::array<int, kBands> kDistoBandParams = {kParamDistoEqBass, kParamDistoEqLowMid, kParamDistoEqHighMid,
                                                      kParamDistoEqHigh};
}

// The two four-band equalisers share one area as pages, each shown by its tab button, which
// also carries the page's on/off switch. The editor opens on the sub-band page.
void Zarvotone::AttachEqSection()
{
    const BitmapStrip subBandTab = LoadEditorBitmap(1004, "resources/img/buttons/sub_band_tab.png", 2);
    const BitmapStrip distoBandTab = LoadEditorBitmap(1003, "resources/img/buttons/disto_band_tab.png", 2);
    const BitmapStrip onOff = LoadEditorBitmap(1032, "resources/img/switches/on_off.png", 2);

    constexpr int kSubBandTabLeft = 328;
    constexpr int kDistoBandTabLeft = 467;
    auto* subBandButton = new Wezmark::IEqTabButton(this, kSubBandTabLeft, kTabTop, &subBandTab, this,
                                                    Wezmark::IEqTabButton::kSubBandPage);
    subBandButton->SetTooltip("Sub-Band EQ Tab Button");
    auto* distoBandButton = new Wezmark::IEqTabButton(this, kDistoBandTabLeft, kTabTop, &distoBandTab, this,
                                                      Wezmark::IEqTabButton::kDistoBandPage);
    distoBandButton->SetTooltip("Disto-Band EQ Tab Button");
    AddToTab(subBandButton);
    AddToTab(distoBandButton);

    ZarvotoneControls::EqPage& subBandPage = mControls.eqPages[ZarvotoneControls::kSubBandPage];
    ZarvotoneControls::EqPage& distoBandPage = mControls.eqPages[ZarvotoneControls::kDistoBandPage];
    subBandPage.eqSwitch =
        AddToTab(new IWzOnOffSwitch(this, kSubBandTabLeft + kSwitchInset, kSwitchTop, kParamSubBandEqOn, &onOff,
                                    ParamConversions::IsOn));
    distoBandPage.eqSwitch =
        AddToTab(new IWzOnOffSwitch(this, kDistoBandTabLeft + kSwitchInset, kSwitchTop, kParamDistoEqOn, &onOff,
                                    ParamConversions::IsOn));

    AttachEqPage(subBandButton, kSubBandParams, mDisplays.subEqTexts, mUnits.subBand.equaliser);
    AttachEqPage(distoBandButton, kDistoBandParams, mDisplays.distoEqTexts, mUnits.distoEq);
    subBandPage.button = subBandButton;
    subBandPage.controls = &subBandButton->PageControls();
    distoBandPage.button = distoBandButton;
    distoBandPage.controls = &distoBandButton->PageControls();

    subBandButton->SetValueFromPlug(1.0);
    subBandButton->SetDirty(false);
    SetEqPage(true);
}

void Zarvotone::AttachEqPage(Wezmark::IEqTabButton* button, const std::array<int, 4>& params,
                             ParamDisplayControls::EqGainTexts& gainTexts, const Wezmark::Eq4Band& eq)
{
    const auto addToPage = [this, button](auto* control) {
        button->AddPageControl(mGraphics->AddControl(control));
        return control;
    };
    const std::array<BitmapStrip, kBands> knobs = {
        LoadEditorBitmap(3012, "resources/img/knobs/eq_bass_knob.png", kKnobFrames),
        LoadEditorBitmap(3015, "resources/img/knobs/eq_low_mid_knob.png", kKnobFrames),
        LoadEditorBitmap(3014, "resources/img/knobs/eq_high_mid_knob.png", kKnobFrames),
        LoadEditorBitmap(3013, "resources/img/knobs/eq_high_knob.png", kKnobFrames),
    };
    const BitmapStrip display = LoadEditorBitmap(2006, "resources/img/displays/eq_freq_display.png", 1);
    addToPage(NewPlate(kDisplayLeft, kDisplayTop, &display));

    const int w1 = knobs[0].FrameWidth();
    const int w2 = knobs[1].FrameWidth();
    const int w4 = knobs[3].FrameWidth();
    const int readOutTop = kKnobTop + knobs[0].FrameHeight();
    std::array<int, kBands> knobLefts{};
    knobLefts[0] = 347;
    knobLefts[1] = w1 + 362;
    knobLefts[2] = knobLefts[1] + w1 + 15;
    knobLefts[3] = knobLefts[2] + 15 + w1;
    const std::array<int, kBands> captionLefts = {w1 / 2 + 317, w2 / 2 - 30 + knobLefts[1],
                                                  w2 / 2 - 30 + knobLefts[2], w4 / 2 - 30 + knobLefts[3]};
    const TextStyle* caption = Style(kCaptionStyle);
    for (size_t band = 0; band < kBands; ++band)
    {
        addToPage(new IKnobMultiControl(this, knobLefts[band], kKnobTop, params[band], &knobs[band]));
        addToPage(NewCaption(TextBox(captionLefts[band], kCaptionTop), caption, kBandCaptions[band]));
        gainTexts[band] = addToPage(NewCaption(TextBox(captionLefts[band], readOutTop), caption, "0.0 dB"));
    }
    const std::array<double, kBands> frequencies = {eq.bassFrequency, eq.lowMidFrequency, eq.highMidFrequency,
                                                    eq.highFrequency};
    char text[ParamDisplayText::kTextSize];
    for (size_t band = 0; band < kBands; ++band)
    {
        std::snprintf(text, sizeof text, "%g Hz", frequencies[band]);
        addToPage(NewCaption(TextBox(captionLefts[band], kFrequencyTop), Style(kBandStyles[band]), text));
    }
}
