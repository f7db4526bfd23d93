#include "plugin/Zarvotone.h"

#include "editor/EditorLayout.h"
#include "editor/IWzFileSelector.h"
#include "editor/IWzPresetMenu.h"
#include "editor/IWzPresetSwitch.h"
#include "graphics/ISwitchControl.h"
#include "plugin/ParamIndex.h"

using namespace EditorLayout;

// The program row: the program menu between its previous and next buttons, program file load
// and save, and the switch that bypasses every effect unit.
void Zarvotone::AttachPresetSection()
{
    constexpr int kRowTop = 582;
    constexpr int kMenuLeft = 63;
    constexpr int kBypassTop = 577;
    const BitmapStrip display = LoadEditorBitmap(2009, "resources/img/displays/preset_display.png", 1);
    const BitmapStrip previous = LoadEditorBitmap(1020, "resources/img/buttons/prev_button.png", 2);
    const BitmapStrip next = LoadEditorBitmap(1016, "resources/img/buttons/next_button.png", 2);
    const BitmapStrip load = LoadEditorBitmap(1014, "resources/img/buttons/load_on_off_48x40.png", 2);
    const BitmapStrip save = LoadEditorBitmap(1024, "resources/img/buttons/save_on_off_48x40.png", 2);
    const BitmapStrip bypass = LoadEditorBitmap(1001, "resources/img/buttons/bypass_fx_button_84x60.png", 2);
    const int d = display.FrameWidth();

    auto* loadButton = new Wezmark::IWzFileSelector(this, this, load.FrameRectAt(d + 93, kRowTop), &load,
                                                    IFileSelectorControl::kOpen);
    loadButton->SetTooltip("Program Load Button");
    auto* saveButton = new Wezmark::IWzFileSelector(this, this, save.FrameRectAt(d + 143, kRowTop), &save,
                                                    IFileSelectorControl::kSave);
    saveButton->SetTooltip("Program Save Button");
    AddToTab(loadButton);
    AddToTab(saveButton);
    AddToTab(new IWzPresetSwitch(this, kMenuLeft - previous.FrameWidth(), kRowTop, &previous,
                                 IWzPresetSwitch::kPrevious));
    AddToTab(new IWzPresetSwitch(this, d + kMenuLeft, kRowTop, &next, IWzPresetSwitch::kNext));
    AddToTab(new ISwitchControl(this, d + 298, kBypassTop, kParamBypassAll, &bypass));
    auto* menu = new Wezmark::IWzPresetMenu(this, this, kMenuLeft, kRowTop, Style(kMenuStyle), &display,
                                            kNoTextBackground);
    menu->SetTooltip("Drop-Down Factory Preset Selection");
    AddToTab(menu);
}
