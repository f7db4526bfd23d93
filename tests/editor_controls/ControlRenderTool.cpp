// Draws every product control in a few states through the windowless editor and writes one
// PNG sheet per group, to look at: editor_control_render <repository root> <output folder>.

#include "dsp/units/path/EnvFollower.h"
#include "editor/IBandFreqDispay.h"
#include "editor/IEqTabButton.h"
#include "editor/IWzCaptionControl.h"
#include "editor/IWzDistoPresetMenu.h"
#include "editor/IWzDistortionCurveEditor.h"
#include "editor/IWzDrawModeButton.h"
#include "editor/IWzFileSelector.h"
#include "editor/IWzFilterUnitMenu.h"
#include "editor/IWzFreezeButton.h"
#include "editor/IWzHostInfoText.h"
#include "editor/IWzMaxLevelText.h"
#include "editor/IWzModeSwitch.h"
#include "editor/IWzPresetMenu.h"
#include "editor/IWzPresetSwitch.h"
#include "editor/IWzResetButton.h"
#include "editor/IWzRestoreCurveButton.h"
#include "editor/IWzScopeWaveSwitch.h"
#include "editor/IWzTabButton.h"
#include "editor/IWzVuEyeDrawer.h"
#include "editor/IWzWaveDrawer.h"
#include "editor/IWzZoomSwitch.h"
#include "editor/IZoomTextControl.h"
#include "framework/IParameter.h"
#include "plugin/DisplayCurve.h"
#include "plugin/ProgramParameters.h"
#include "plugin/ScopeBuffer.h"
#include "tests/editor_controls/ControlTestRig.h"
#include "tests/graphics_support/PngWriter.h"

#include <cmath>
#include <cstdio>
#include <functional>
#include <numbers>
#include <string>

using namespace Wezmark;

namespace
{
constexpr int kBackgroundId = 10006;
constexpr const char* kBackgroundPath = "resources/img/GUI_background.png";

// The editor's background image under the sheet's controls.
class Backdrop : public IControl
{
public:
    Backdrop(IEffectBase* plug, const BitmapStrip& strip, int width, int height)
        : IControl(plug, Rect{0, 0, width, height}), mStrip(strip)
    {
    }
    bool Draw(IGraphics* graphics) override { return graphics->DrawBitmap(&mStrip, &mDrawRect, 0, 0, nullptr); }

private:
    BitmapStrip mStrip;
};

class Sheet
{
public:
    Sheet(const std::string& root, int width, int height) : mGraphics(new MenuGraphics(&plug, width, height))
    {
        plug.Attach(mGraphics);
        mGraphics->SetResourceRoot(root);
        mGraphics->AddControl(new Backdrop(&plug, Load(kBackgroundId, kBackgroundPath, 1), width, height));
    }

    BitmapStrip Load(int id, const char* path, int frames)
    {
        BitmapStrip strip;
        mGraphics->LoadBitmapResource(&strip, id, path, frames);
        return strip;
    }

    template <class Control>
    Control* Add(Control* control)
    {
        mGraphics->AddControl(control);
        return control;
    }

    MenuGraphics& Graphics() { return *mGraphics; }

    bool Write(const std::string& path)
    {
        mGraphics->Tick();
        mGraphics->Tick();
        return WritePng(path, *mGraphics->GetDrawBitmap());
    }

    ControlTestPlug plug;
    RecordingController controller;

private:
    MenuGraphics* mGraphics;
};

TextStyle LightText(int size = 12, int alignment = TextStyle::kAlignLeft)
{
    TextStyle style;
    style.size = size;
    style.colour = {255, 220, 220, 220};
    style.alignment = alignment;
    return style;
}

bool RenderButtons(const std::string& root, const std::string& out)
{
    Sheet sheet(root, 420, 220);
    ProgramParameters values;
    values.Store(2, 0.5);
    const MouseModifiers left = LeftButton();
    struct Strip
    {
        int id;
        const char* path;
        int frames;
    };
    auto strip = [&sheet](Strip s) { return sheet.Load(s.id, s.path, s.frames); };
    const BitmapStrip reset = strip({1021, "resources/img/buttons/reset_on_off_48x40.png", 2});
    const BitmapStrip restore = strip({1022, "resources/img/buttons/restore_on_off_48x40.png", 2});
    const BitmapStrip prev = strip({1020, "resources/img/buttons/prev_button.png", 2});
    const BitmapStrip next = strip({1016, "resources/img/buttons/next_button.png", 2});
    const BitmapStrip channel = strip({1002, "resources/img/buttons/channel_mode_button.png", 5});
    const BitmapStrip freeze = strip({1006, "resources/img/buttons/freeze_scope_button.png", 2});
    const BitmapStrip plugInTab = strip({1026, "resources/img/buttons/tab_plug_in_button.png", 2});
    const BitmapStrip scopeTab = strip({1027, "resources/img/buttons/tab_scope_button.png", 2});
    const BitmapStrip subTab = strip({1004, "resources/img/buttons/sub_band_tab.png", 2});
    const BitmapStrip drawMode = strip({1007, "resources/img/buttons/hollow_half_filled_scope_button.png", 3});
    const BitmapStrip input = strip({1009, "resources/img/buttons/input_on_off.png", 2});
    const BitmapStrip minus = strip({5002, "resources/img/switches/minus_25px.png", 2});

    // Row 1: released and pressed contact buttons.
    sheet.Add(new IWzResetButton(&sheet.plug, 10, 10, &reset, [] {}));
    sheet.Add(new IWzResetButton(&sheet.plug, 70, 10, &reset, [] {}))->OnMouseDown(0, 0, &left);
    sheet.Add(new IWzRestoreCurveButton(&sheet.plug, 130, 10, &restore, &sheet.controller))->OnMouseDown(0, 0, &left);
    sheet.Add(new IWzPresetSwitch(&sheet.plug, 190, 10, &prev, IWzPresetSwitch::kPrevious));
    sheet.Add(new IWzPresetSwitch(&sheet.plug, 220, 10, &next, IWzPresetSwitch::kNext))->OnMouseDown(0, 0, &left);
    sheet.Add(new IWzZoomSwitch(&sheet.plug, 250, 10, &minus, &sheet.controller, IWzZoomSwitch::kZoomOut));
    // Row 2: a five-state mode switch in each state.
    for (int state = 0; state < 5; ++state)
    {
        auto* mode = sheet.Add(new IWzModeSwitch(&sheet.plug, 10 + 55 * state, 50, &channel, 2, 5, &values, true, 1));
        mode->SetValueFromPlug(state / 4.0);
    }
    // Row 3: toggles.
    sheet.Add(new IWzFreezeButton(&sheet.plug, 10, 85, &freeze, &sheet.controller));
    sheet.Add(new IWzFreezeButton(&sheet.plug, 90, 85, &freeze, &sheet.controller))->OnMouseDown(0, 0, &left);
    sheet.Add(new IWzScopeWaveSwitch(&sheet.plug, 170, 85, &input, &sheet.controller, IWzScopeWaveSwitch::kInputTrace))
        ->OnMouseDown(0, 0, &left);
    sheet.Add(new IWzTabButton(&sheet.plug, 10, 125, &plugInTab, &sheet.controller, IWzTabButton::kPlugInTab))
        ->OnMouseDown(0, 0, &left);
    sheet.Add(new IWzTabButton(&sheet.plug, 90, 125, &scopeTab, &sheet.controller, IWzTabButton::kScopeTab));
    sheet.Add(new IEqTabButton(&sheet.plug, 170, 125, &subTab, &sheet.controller, IEqTabButton::kSubBandPage))
        ->OnMouseDown(0, 0, &left);
    for (int mode = 0; mode < 3; ++mode)
    {
        sheet.controller.drawMode = (mode + 2) % 3;
        sheet.Add(new IWzDrawModeButton(&sheet.plug, 10 + 100 * mode, 165, &drawMode, &sheet.controller))
            ->OnMouseDown(0, 0, &left);
    }
    return sheet.Write(out + "/buttons.png");
}

bool RenderTexts(const std::string& root, const std::string& out)
{
    Sheet sheet(root, 420, 300);
    const TextStyle text = LightText();
    double holds[2] = {0.5, 0.25};
    double clipped[2] = {1.5, 0.25};
    double silent[2] = {0.0, 0.0};
    auto holdOf = [](double* h) { return [h](int channel) { return h[channel]; }; };
    sheet.Add(new IWzMaxLevelText(&sheet.plug, Rect{10, 10, 210, 26}, &text, holdOf(silent)));
    sheet.Add(new IWzMaxLevelText(&sheet.plug, Rect{10, 30, 210, 46}, &text, holdOf(holds)));
    sheet.Add(new IWzMaxLevelText(&sheet.plug, Rect{10, 50, 210, 66}, &text, holdOf(clipped)));
    sheet.Add(new IWzHostInfoText(&sheet.plug, Rect{10, 70, 410, 86}, &text));
    const BitmapStrip zoom = sheet.Load(2011, "resources/img/displays/zoom_display.png", 1);
    const TextStyle centred = LightText(14, TextStyle::kAlignCentre);
    sheet.Add(new IBitmapControl(&sheet.plug, 10, 95, &zoom));
    sheet.Add(new IZoomTextControl(&sheet.plug, Rect{10, 95, 110, 125}, &centred, &sheet.controller))
        ->SetTextFromPlug("100 %");
    IParameter* param = sheet.plug.GetParam(1);
    param->InitContinuous("Gain", 0.5, 0.0, 1.0, 0.0, "dB", "", 1.0);
    for (int format = 0; format <= IWzCaptionControl::kParameterText; ++format)
    {
        const int y = 135 + 18 * format;
        sheet.Add(new IWzCaptionControl(&sheet.plug, Rect{10, y, 210, y + 16}, 1, &text, format, true, 20000.0, 20.0,
                                        " Hz"));
    }
    return sheet.Write(out + "/texts.png");
}

bool RenderMenus(const std::string& root, const std::string& out)
{
    Sheet sheet(root, 420, 180);
    std::vector<std::string> names{"Init", "Warm Tape", "# Bass", "Sub Growl"};
    sheet.plug.NamePresets(names);
    sheet.plug.SelectPreset(1);
    const BitmapStrip filter = sheet.Load(2007, "resources/img/displays/filter_type_display.png", 1);
    const BitmapStrip shape = sheet.Load(2004, "resources/img/displays/disto_name_display.png", 1);
    const BitmapStrip program = sheet.Load(2009, "resources/img/displays/preset_display.png", 1);
    const TextStyle text = LightText(12, TextStyle::kAlignCentre);
    const ArgbColour field{255, 16, 18, 20};
    sheet.controller.currentCurve = 60;
    sheet.Add(new IWzFilterUnitMenu(&sheet.plug, &sheet.controller, 0, 10, 10, &text, &filter, field));
    sheet.Add(new IWzFilterUnitMenu(&sheet.plug, &sheet.controller, 1, 100, 10, &text, &filter, field))
        ->OnMouseOver(0, 0, nullptr);
    sheet.Add(new IWzDistoPresetMenu(&sheet.plug, &sheet.controller, 10, &text, &shape, field));
    sheet.Add(new IWzDistoPresetMenu(&sheet.plug, &sheet.controller, 200, &text, &shape, field))
        ->OnMouseOver(0, 0, nullptr);
    sheet.Add(new IWzPresetMenu(&sheet.plug, &sheet.controller, 10, 140, &text, &program, field));
    sheet.Add(new IWzPresetMenu(&sheet.plug, nullptr, 215, 140, nullptr, &program, field))->OnMouseOver(0, 0, nullptr);
    return sheet.Write(out + "/menus.png");
}

// A soft clipper and its sine, as the previews of the core would show them.
void FillPreviews(DisplayCurve& curve, DisplayCurve& signal, double drive)
{
    for (int i = 0; i < curve.Size(); ++i)
    {
        const double x = -1.0 + 2.0 * i / (curve.Size() - 1);
        curve.Set(i, std::tanh(drive * x) / std::tanh(drive));
    }
    for (int i = 0; i < signal.Size(); ++i)
    {
        const double s = std::sin(2.0 * std::numbers::pi * i / signal.Size());
        signal.Set(i, std::tanh(drive * s) / std::tanh(drive));
    }
}

bool RenderCurveEditors(const std::string& root, const std::string& out)
{
    static DisplayCurve curve{133};
    static DisplayCurve shaper{133};
    static DisplayCurve signal{120};
    static DisplayCurve shapedSignal{120};
    FillPreviews(curve, signal, 3.0);
    FillPreviews(shaper, shapedSignal, 1.0);
    const MouseModifiers left = LeftButton();

    // The draw area in its three draw modes, then hovered just after a press.
    Sheet modes(root, 640, 290);
    const BitmapStrip area = modes.Load(2002, "resources/img/displays/disto_curve_display.png", 1);
    for (int mode = 0; mode < 3; ++mode)
    {
        auto* editor = modes.Add(new IWzDistortionCurveEditor(&modes.plug, &modes.controller, &curve, &shaper,
                                                              10 + 155 * mode, 133, &area));
        editor->State().displayMode = mode;
    }
    auto* drawn = modes.Add(new IWzDistortionCurveEditor(&modes.plug, &modes.controller, &curve, &shaper, 475, 133, &area));
    drawn->OnMouseOver(0, 0, nullptr);
    drawn->OnMouseDown(drawn->InnerRect().left + 60, drawn->InnerRect().top + 20, &left);
    bool written = modes.Write(out + "/curve_editors.png");

    // A framed draw area and the signal preview in both modes.
    Sheet previews(root, 640, 290);
    const BitmapStrip framedArea = previews.Load(2002, "resources/img/displays/disto_curve_display.png", 1);
    const BitmapStrip preview = previews.Load(2003, "resources/img/displays/disto_preview_display.png", 1);
    previews.Add(new IWzDistortionCurveEditor(&previews.plug, &previews.controller, &curve, &shaper, 10, 133, &framedArea))
        ->SetFrame(true);
    for (int mode = 0; mode < 2; ++mode)
    {
        auto* signalPreview = previews.Add(new IWzDistortionCurveEditor(&previews.plug, &previews.controller, &signal,
                                                                        &shapedSignal, 170 + 145 * mode, 120, &preview));
        signalPreview->State().displayMode = mode;
        signalPreview->SetHighlightEnabled(false);
    }
    written = previews.Write(out + "/curve_previews.png") && written;
    return written;
}

bool RenderScope(const std::string& root, const std::string& out)
{
    bool written = true;
    for (int mode = 0; mode < 3; ++mode)
    {
        Sheet sheet(root, 640, 620);
        const BitmapStrip display = sheet.Load(2010, "resources/img/displays/wave_display.png", 1);
        static ScopeBuffer ring;
        ring.Remake(ScopeBuffer::kCapacity);
        for (int i = 0; i < ScopeBuffer::kCapacity; ++i)
        {
            const double phase = 2.0 * std::numbers::pi * i / 150.0;
            const double in = 0.8 * std::sin(phase);
            ScopeEntry entry{in, 0.5 * std::sin(phase * 1.5), std::tanh(3.0 * in), std::tanh(2.0 * 0.5 * std::sin(phase * 1.5)),
                             i >= 400 && i < 420};
            ring.Write(entry);
        }
        ring.entries[300].inputLeft = 3.0;
        sheet.controller.drawMode = mode;
        sheet.Add(new IWzWaveDrawer(&sheet.plug, 10, 10, &display, &sheet.controller, &ring));
        written = sheet.Write(out + "/scope_mode" + std::to_string(mode) + ".png") && written;
    }
    return written;
}

bool RenderDisplays(const std::string& root, const std::string& out)
{
    Sheet sheet(root, 420, 200);
    const BitmapStrip band = sheet.Load(2001, "resources/img/displays/band_display.png", 1);
    struct Crossover : public RecordingController
    {
        void GetBandFreqCurve(int bandIndex, double* values, int count) override
        {
            for (int i = 0; i < count; ++i)
            {
                const double x = 0.5 * std::pow(static_cast<double>(i) / count, 2.0) / 0.01;
                values[i] = bandIndex == 0 ? 1.0 / std::sqrt(1.0 + std::pow(x, 4.0))
                                           : std::pow(x, 2.0) / std::sqrt(1.0 + std::pow(x, 4.0));
            }
        }
    };
    static Crossover crossover;
    for (int blend = 0; blend < 4; ++blend)
        sheet.Add(new IBandFreqDispay(&sheet.plug, 10 + 145 * (blend % 2), 10 + 45 * (blend / 2), &band, &crossover,
                                      blend == 3, blend));
    static EnvFollower envelope;
    envelope.envelopeLeft = 0.9;
    envelope.envelopeRight = 0.3;
    sheet.Add(new IWzVuEyeDrawer(&sheet.plug, Rect{310, 10, 350, 40}, &envelope, true));
    sheet.Add(new IWzVuEyeDrawer(&sheet.plug, Rect{360, 10, 400, 40}, &envelope, false));
    const BitmapStrip load = sheet.Load(1014, "resources/img/buttons/load_on_off_48x40.png", 2);
    const BitmapStrip save = sheet.Load(1024, "resources/img/buttons/save_on_off_48x40.png", 2);
    sheet.Add(new IWzFileSelector(&sheet.plug, &sheet.controller, Rect{10, 110, 58, 130}, &load, IWzFileSelector::kOpen));
    sheet.Add(new IWzFileSelector(&sheet.plug, &sheet.controller, Rect{70, 110, 118, 130}, &save, IWzFileSelector::kSave));
    return sheet.Write(out + "/displays.png");
}
} // namespace

int main(int argc, char** argv)
{
    if (argc != 3)
    {
        std::fprintf(stderr, "usage: %s <repository root> <output folder>\n", argv[0]);
        return 2;
    }
    const std::string root = argv[1];
    const std::string out = argv[2];
    bool written = true;
    for (const auto& render : {RenderButtons, RenderTexts, RenderMenus, RenderCurveEditors, RenderScope, RenderDisplays})
        written = render(root, out) && written;
    if (!written)
        std::fprintf(stderr, "a sheet could not be written to %s\n", out.c_str());
    return written ? 0 : 1;
}
