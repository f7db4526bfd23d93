#include "plugin/Zarvotone.h"

#include "editor/EditorLayout.h"
#include "editor/IWzHostInfoText.h"
#include "editor/IWzMaxLevelText.h"
#include "editor/IWzResetButton.h"
#include "graphics/IBitmapControl.h"

using namespace EditorLayout;

// The info row under the plug-in tab's sections: sample rate and tempo, the largest output
// level since the last reset, and its reset button.
void Zarvotone::AttachInfoSection()
{
    constexpr int kDisplayTop = 708;
    constexpr int kTextTop = 733;
    constexpr int kTextBottom = 749;
    const BitmapStrip display = LoadEditorBitmap(2008, "resources/img/displays/info_display.png", 1);
    const BitmapStrip reset = LoadEditorBitmap(1021, "resources/img/buttons/reset_on_off_48x40.png", 2);
    const int half = display.FrameWidth() / 2;

    // Its clear top rows lie over the switch row above; like every plate it lets presses through.
    AddToTab(NewPlate(325 - half, kDisplayTop, &display));
    // The host text runs up to the reset button: sample rate and tempo need all of that.
    mControls.hostInfoText =
        AddToTab(new IWzHostInfoText(this, Rect{375 - half, kTextTop, 670 - half, kTextBottom}, Style(kInfoStyle)));
    mControls.maxLevelText =
        AddToTab(new IWzMaxLevelText(this, Rect{730 - half, kTextTop, 850 - half, kTextBottom}, Style(kLevelStyle),
                                     [this](int channel) { return PeakHold(channel); }));
    auto* resetButton = new IWzResetButton(this, 675 - half, 730, &reset, [this] { RequestMeterReset(); });
    resetButton->SetTooltip("Reset Max Signal Level");
    AddToTab(resetButton);
}
