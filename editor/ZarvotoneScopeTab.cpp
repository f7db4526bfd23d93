#include "plugin/Zarvotone.h"

#include "editor/EditorLayout.h"
#include "editor/IWzDrawModeButton.h"
#include "editor/IWzFreezeButton.h"
#include "editor/IWzScopeWaveSwitch.h"
#include "editor/IWzWaveDrawer.h"
#include "editor/IWzZoomSwitch.h"
#include "editor/IZoomTextControl.h"
#include "graphics/IBitmapControl.h"

using namespace EditorLayout;

// The scope tab: the wave display with its freeze, draw-mode and trace buttons under its left
// half and the zoom controls under its right.
void Zarvotone::AttachScopeTab()
{
    constexpr ZarvotoneControls::Tab kTab = ZarvotoneControls::kScopeTab;
    constexpr int kWaveTop = 100;
    constexpr int kHeadingLeft = 37;
    constexpr int kHeadingTop = 47;
    constexpr int kButtonStripLeft = 17;
    constexpr int kButtonStripTop = 688;
    const BitmapStrip heading = LoadEditorBitmap(2012, "resources/img/displays/scope_heading.png", 1);
    const BitmapStrip buttonStrip = LoadEditorBitmap(2013, "resources/img/displays/scope_button_strip.png", 1);
    const BitmapStrip zoomDisplay = LoadEditorBitmap(2011, "resources/img/displays/zoom_display.png", 1);
    const BitmapStrip wave = LoadEditorBitmap(2010, "resources/img/displays/wave_display.png", 1);
    const BitmapStrip freeze = LoadEditorBitmap(1006, "resources/img/buttons/freeze_scope_button.png", 2);
    const BitmapStrip minus = LoadEditorBitmap(5002, "resources/img/switches/minus_25px.png", 2);
    const BitmapStrip plus = LoadEditorBitmap(5003, "resources/img/switches/plus_25px.png", 2);
    const BitmapStrip inputTrace = LoadEditorBitmap(1009, "resources/img/buttons/input_on_off.png", 2);
    const BitmapStrip outputTrace = LoadEditorBitmap(1017, "resources/img/buttons/output_on_off.png", 2);
    const BitmapStrip drawMode =
        LoadEditorBitmap(1007, "resources/img/buttons/hollow_half_filled_scope_button.png", 3);

    const int d = wave.FrameWidth();
    const int h = wave.FrameHeight();
    const int right = 325 + d / 2;
    const int row = h + 105;
    const int buttonsLeft = 335 - d / 2;
    const int inputLeft = buttonsLeft + freeze.FrameWidth() + drawMode.FrameWidth();

    // The scope's title over the strip above the wave display, where the plug-in tab has the
    // distortion section's.
    AddToTab(NewPlate(kHeadingLeft, kHeadingTop, &heading), kTab);
    // The button row's own panel, over the plug-in tab's lower panels.
    AddToTab(NewPlate(kButtonStripLeft, kButtonStripTop, &buttonStrip), kTab);
    AddToTab(NewPlate(right - 145, row - 3, &zoomDisplay), kTab);
    mControls.scopeDrawer = AddToTab(new Wezmark::IWzWaveDrawer(this, 325 - d / 2, kWaveTop, &wave, this, &mScope), kTab);
    // In one row with the buttons beside it.
    AddToTab(new IWzFreezeButton(this, buttonsLeft, row, &freeze, this), kTab);
    AddToTab(new IWzZoomSwitch(this, right - 165, row, &minus, this, IWzZoomSwitch::kZoomOut), kTab);
    AddToTab(new IWzZoomSwitch(this, right - 40, row, &plus, this, IWzZoomSwitch::kZoomIn), kTab);
    const int zoomLeft = right - 139;
    mControls.zoomText = AddToTab(new IZoomTextControl(
                                      this, TextBox(zoomLeft, row + 6, zoomDisplay.FrameWidth() - 10),
                                      Style(kCaptionStyle), this),
                                  kTab);
    mControls.zoomText->SetTextFromPlug("100 %");
    mControls.inputTraceSwitch = AddToTab(
        new Wezmark::IWzScopeWaveSwitch(this, inputLeft, row, &inputTrace, this,
                                        Wezmark::IWzScopeWaveSwitch::kInputTrace),
        kTab);
    mControls.outputTraceSwitch = AddToTab(
        new Wezmark::IWzScopeWaveSwitch(this, inputLeft + inputTrace.FrameWidth(), row, &outputTrace, this,
                                        Wezmark::IWzScopeWaveSwitch::kOutputTrace),
        kTab);
    mControls.drawModeButton = AddToTab(
        new Wezmark::IWzDrawModeButton(this, buttonsLeft + freeze.FrameWidth(), row, &drawMode, this), kTab);
}
