#include "plugin/Zarvotone.h"

#include "editor/EditorLayout.h"
#include "editor/IWzVuEyeDrawer.h"
#include "graphics/IBitmapControl.h"
#include "graphics/ITextControl.h"
#include "plugin/ParamDisplayText.h"

#include <cstdio>

using namespace EditorLayout;

namespace
{
constexpr int kCentre = 325;
constexpr int kLineHeight = 20;
// The version panel's card, where the texts and the level eyes sit.
constexpr int kCardTop = 432;
constexpr int kTextWidth = 340;
constexpr int kEyeSize = 50;
constexpr int kEyeInset = 60;
constexpr int kEyeTop = 470;

enum AboutTabLine
{
    kProductLine,
    kVersionLine,
    kSubtitleLine,
    kBuildLine,
    kHostLine = 5,
};

Rect AboutLine(int line)
{
    return TextBox(kCentre - kTextWidth / 2, kCardTop + 8 + line * kLineHeight, kTextWidth);
}
}

// The about tab: the maker's logo, the version panel with the product's texts between two
// level eyes, the team text and the plug-in format's badge.
void Zarvotone::AttachAboutTab()
{
    constexpr ZarvotoneControls::Tab kTab = ZarvotoneControls::kAboutTab;
    const BitmapStrip version = LoadEditorBitmap(2000, "resources/img/displays/version_info_display_pro.png", 1);
    const BitmapStrip logo = LoadEditorBitmap(10005, "resources/img/Wezmark_logo_txt_570x380.png", 1);
    const BitmapStrip team = LoadEditorBitmap(10003, "resources/img/WZ_Team_Text.png", 1);
    const BitmapStrip badge = LoadEditorBitmap(10007, "resources/img/VST_Logo.png", 1);
    const auto centred = [](const BitmapStrip& strip) { return kCentre - strip.FrameWidth() / 2; };

    AddToTab(NewPlate(centred(version), 410, &version), kTab);
    const int versionLeft = centred(version);
    const int versionRight = versionLeft + version.FrameWidth();
    mControls.vuEyes[0] = AddToTab(
        new IWzVuEyeDrawer(this,
                           Rect{versionLeft + kEyeInset, kEyeTop, versionLeft + kEyeInset + kEyeSize, kEyeTop + kEyeSize},
                           &mUnits.levelMeter, true),
        kTab);
    mControls.vuEyes[1] = AddToTab(new IWzVuEyeDrawer(this,
                                                      Rect{versionRight - kEyeInset - kEyeSize, kEyeTop,
                                                           versionRight - kEyeInset, kEyeTop + kEyeSize},
                                                      &mUnits.levelMeter, false),
                                   kTab);
    AddToTab(NewPlate(centred(logo), 50, &logo), kTab);
    AddToTab(NewPlate(centred(team), 575, &team), kTab);
    AddToTab(NewPlate(centred(badge), 645, &badge), kTab);

    char text[ParamDisplayText::kTextSize];
    std::snprintf(text, sizeof text, "%s", mVersionInfo.product.c_str());
    AddToTab(NewCaption(AboutLine(kProductLine), Style(kTitleStyle), text), kTab);
    std::snprintf(text, sizeof text, "%s %s", mVersionInfo.maker.c_str(), mVersionInfo.longVersion.c_str());
    AddToTab(NewCaption(AboutLine(kVersionLine), Style(kCaptionStyle), text), kTab);
    AddToTab(NewCaption(AboutLine(kSubtitleLine), Style(kCaptionStyle), "Dual-Band Distortion"), kTab);
    std::snprintf(text, sizeof text, "%s %.3d", "Build", mVersionInfo.build);
    AddToTab(NewCaption(AboutLine(kBuildLine), Style(kCaptionStyle), text), kTab);
    mControls.aboutHostText =
        AddToTab(NewCaption(AboutLine(kHostLine), Style(kCaptionStyle), GetHostText().c_str()), kTab);
}
