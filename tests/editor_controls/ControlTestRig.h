#pragma once

#include "plugin/IBandFreqCurveProvider.h"
#include "plugin/IDistoCurveEditor.h"
#include "plugin/IDistoDataProvider.h"
#include "plugin/IDistoFileController.h"
#include "plugin/IEffectPresetProvider.h"
#include "plugin/IEqController.h"
#include "plugin/IFilterDataProvider.h"
#include "plugin/IScopeController.h"
#include "plugin/ITabController.h"
#include "tests/graphics_support/HeadlessGraphics.h"
#include "tests/graphics_support/RecordingPlug.h"

#include <deque>
#include <string>
#include <utility>
#include <vector>

// The nine controller interfaces answering from plain fields and logging every call that
// changes something as a short text ("zoom in 4", "action 7", "load-fxp a.fxp").
class RecordingController : public Wezmark::ITabController,
                            public Wezmark::IEqController,
                            public Wezmark::IBandFreqCurveProvider,
                            public Wezmark::IFilterDataProvider,
                            public Wezmark::IDistoDataProvider,
                            public Wezmark::IDistoCurveEditor,
                            public Wezmark::IEffectPresetProvider,
                            public Wezmark::IScopeController,
                            public Wezmark::IDistoFileController
{
public:
    void ShowPlugInTab() override { Log("tab plug-in"); }
    void ShowScopeTab() override { Log("tab scope"); }
    void ShowAboutTab() override { Log("tab about"); }
    void ShowFourthTab() override { Log("tab fourth"); }
    void SetEqPage(bool subBand) override { Log(subBand ? "eq sub" : "eq disto"); }
    void SetEqPageInverse(bool distoBand) override { SetEqPage(!distoBand); }
    void GetBandFreqCurve(int band, double* out, int count) override;
    const char* GetFilterName(int) override { return "Low-Pass"; }
    const char* GetFilterShortName(int) override { return "LP"; }
    int GetFilterType(int) override { return filterType; }
    int GetExtraFilterType(int) override { return 0; }
    int GetCurrentCurve() override { return currentCurve; }
    void ApplyCurveAction(int action) override { Log("action " + std::to_string(action)); }
    std::string GetCurveFilePath() override { return curveFilePath; }
    void ImportCurveCsv(const std::string& path) override { Log("import-csv " + path); }
    void ImportCurveWav(const std::string& path) override { Log("import-wav " + path); }
    void ExportCurveCsv(const std::string& path) override { Log("export-csv " + path); }
    void ExportCurveWav(const std::string& path) override { Log("export-wav " + path); }
    void ExportCurveSource(const std::string& path) override { Log("export-source " + path); }
    void CommitDrawnCurve() override { Log("commit"); }
    // Counted rather than logged: every press of the draw area asks for it.
    void PrepareCurveDrawing() override { ++drawingsPrepared; }
    bool IsProcessingActive() override { return processingActive; }
    std::string GetPresetDisplayName() override { return "01: Init"; }
    void SetFrozen(bool frozen) override { Log(frozen ? "freeze" : "unfreeze"); }
    void StepZoom(bool zoomIn, double step) override;
    int GetDrawMode() override { return drawMode; }
    void SetDrawMode(int mode) override { drawMode = mode; }
    bool IsInputTraceShown() override { return inputShown == 1.0; }
    bool IsOutputTraceShown() override { return outputShown == 1.0; }
    void SetInputTraceShown(double shown) override { inputShown = shown; }
    void SetOutputTraceShown(double shown) override { outputShown = shown; }
    std::string GetProgramFilePath() override { return programFilePath; }
    void SaveProgramFile(const std::string& path) override { Log("save " + path); }
    void LoadProgramFile(const std::string& path) override { Log("load " + path); }
    bool SaveFxpFile(const std::string& path) override;
    bool LoadFxpFile(const std::string& path) override;

    std::vector<std::string> log;
    // Bands answer these values, repeated to the asked count.
    std::vector<double> bandValues{0.5};
    std::vector<int> bandCounts;
    int filterType = 0;
    int currentCurve = 0;
    bool processingActive = false;
    int drawingsPrepared = 0;
    int drawMode = 0;
    double inputShown = 1.0;
    double outputShown = 1.0;
    std::string curveFilePath;
    std::string programFilePath;

private:
    void Log(std::string entry) { log.push_back(std::move(entry)); }
};

// A windowless editor whose popup menus answer a scripted path: an item of the menu, or an
// item of that item's submenu. Every shown menu is kept with its items and check marks.
class MenuGraphics : public HeadlessGraphics
{
public:
    struct Choice
    {
        int item;
        int subItem = -1;
    };

    struct Shown
    {
        std::vector<std::string> items;
        std::vector<bool> checked;
        // The checked positions of each submenu, by item.
        std::vector<std::vector<int>> checkedInSubmenus;
        std::vector<std::vector<std::string>> submenuItems;
    };

    using HeadlessGraphics::HeadlessGraphics;

    PopupMenu* RunPopupMenu(PopupMenu* menu, const Rect* rect) override;
    void Choose(Choice choice) { mChoices.push_back(choice); }
    // Every pixel of the draw surface transparent black, so tests see only what controls draw.
    void ClearCanvas();

    std::vector<Shown> shown;

private:
    std::deque<Choice> mChoices;
};

// A plug-in that also logs "display" for each host display update and answers a set tempo.
class ControlTestPlug : public RecordingPlug
{
public:
    void UpdateHostDisplay() override { events.emplace_back("display"); }
    double GetTempo() override { return tempo; }
    // Every event that is not an automation of a parameter.
    std::vector<std::string> OtherEvents() const;
    int AutomationCount() const;
    // Names the first presets and makes them selectable.
    void NamePresets(const std::vector<std::string>& names);

    double tempo = 120.0;
};

// A plug-in with a scripted menu editor attached.
struct ControlTestRig
{
    ControlTestRig() : graphics(plug.Attach(new MenuGraphics(&plug))) {}

    template <class Control>
    Control* Add(Control* control)
    {
        graphics->AddControl(control);
        return control;
    }

    ControlTestPlug plug;
    MenuGraphics* graphics;
    RecordingController controller;
};

// Mouse modifiers of a left or right click.
MouseModifiers LeftButton();
MouseModifiers RightButton();
