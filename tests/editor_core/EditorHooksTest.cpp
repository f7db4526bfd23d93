#include "framework/vst2/Vst2Constants.h"
#include "tests/dsp_units_files/TempFile.h"
#include "tests/editor_core/EditorRig.h"
#include "tests/vst2/FakeHost.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>

namespace
{
// Without an editor the hooks and the editor's operations leave everything as it was.
TEST(EditorHooks, DoNothingWithoutAnEditor)
{
#ifdef _WIN32
    GTEST_SKIP() << "the Windows effect always builds its editor window";
#endif
    const struct
    {
        const char* name;
        std::function<void(Zarvotone&)> call;
    } cases[] = {
        {"host configured", [](Zarvotone& p) { p.OnHostConfigured(); }},
        {"editor opened", [](Zarvotone& p) { p.OnEditorOpened(); }},
        {"preset changed", [](Zarvotone& p) { p.OnPresetChanged(); }},
        {"reset", [](Zarvotone& p) { p.Reset(); }},
        {"activation", [](Zarvotone& p) { p.SetActive(true); }},
        {"curve refresh", [](Zarvotone& p) { p.RefreshCurveEditor(); }},
        {"curve editors redrawn", [](Zarvotone& p) { p.RedrawCurveEditors(); }},
        {"zoom text", [](Zarvotone& p) { p.UpdateZoomText(); }},
        {"EQ page", [](Zarvotone& p) { p.SetEqPage(false); }},
        {"drawn curve", [](Zarvotone& p) { p.CommitDrawnCurve(); }},
    };
    for (const auto& c : cases)
    {
        PluginRig rig;
        rig.plugin.Config().VisibleTab = 1.0;
        rig.SetIdentity();
        rig.Render(MakeNoise(4096, 0.5), 4096);
        const std::vector<ScopeEntry> scope = rig.plugin.Scope().entries;
        const std::vector<double> curve(rig.plugin.Units().hostRate.chain1.distortion.current->Points(),
                                        rig.plugin.Units().hostRate.chain1.distortion.current->Points() + 2048);
        c.call(rig.plugin);
        EXPECT_EQ(rig.plugin.Previews().curve.Get(0), 0.0) << c.name;
        EXPECT_EQ(rig.plugin.Scope().entries[7].inputLeft, scope[7].inputLeft) << c.name;
        EXPECT_EQ(rig.plugin.Units().hostRate.chain1.distortion.current->Points()[100], curve[100]) << c.name;
    }
}

TEST(EditorHooks, HostConfiguredShowsTheHostTextOnlyWhenItChanged)
{
    EditorRig rig;
    rig.plugin().OnHostConfigured();
    EXPECT_TRUE(rig.aboutHostText->TextEquals(rig.plugin().GetHostText().c_str()));
    EXPECT_TRUE(rig.aboutHostText->IsDirty());
    rig.Settle();
    rig.plugin().OnHostConfigured();
    EXPECT_FALSE(rig.aboutHostText->IsDirty());
}

TEST(EditorHooks, ResetAndActivationRedrawTheHostInformation)
{
    const struct
    {
        const char* name;
        std::function<void(EditorRig&)> call;
        bool redrawn;
    } cases[] = {
        {"reset", [](EditorRig& r) { r.plugin().Reset(); }, true},
        {"switched on", [](EditorRig& r) { r.plugin().SetActive(true); }, true},
        {"switched off", [](EditorRig& r) { r.plugin().SetActive(false); }, false},
    };
    for (const auto& c : cases)
    {
        EditorRig rig;
        c.call(rig);
        EXPECT_EQ(rig.plugin().Controls().hostInfoText->IsDirty(), c.redrawn) << c.name;
    }
}

// The block redraws what it changed: the meter read-out, and the scope or the level eyes of
// the tab that is shown.
TEST(EditorHooks, BlocksRedrawWhatTheyChanged)
{
    const struct
    {
        const char* name;
        double tab;
        double level;
        bool meterReset;
        bool maxLevel;
        bool scope;
        bool eyes;
    } cases[] = {
        {"silence on the plug-in tab", 0.0, 0.0, false, false, false, false},
        {"a louder peak", 0.0, 0.5, false, true, false, false},
        {"a meter reset", 0.0, 0.0, true, true, false, false},
        {"scope tab", 1.0, 0.0, false, false, true, false},
        {"about tab", 2.0, 0.0, false, false, false, true},
    };
    for (const auto& c : cases)
    {
        EditorRig rig;
        rig.rig.SetIdentity();
        rig.plugin().Config().VisibleTab = c.tab;
        // A volume change asks for a meter reset; the first block carries it out.
        rig.rig.Render(MakeNoise(64, 0.0), 64);
        rig.Settle();
        if (c.meterReset)
            rig.plugin().RequestMeterReset();
        // Longer than a scope frame, which the scope waits for after its first redraw.
        constexpr int kFrames = 4096;
        rig.rig.Render(MakeNoise(kFrames, c.level), kFrames);
        const ZarvotoneControls& controls = rig.plugin().Controls();
        EXPECT_EQ(controls.maxLevelText->IsDirty(), c.maxLevel) << c.name;
        EXPECT_EQ(controls.scopeDrawer->IsDirty(), c.scope) << c.name;
        for (IControl* eye : controls.vuEyes)
            EXPECT_EQ(eye->IsDirty(), c.eyes) << c.name;
    }
}

// The scope is redrawn at its own pace while it scrolls, not at all while it is frozen, and at
// once when what it shows is switched.
TEST(EditorHooks, TheScopeIsRedrawnAtItsPaceAndWhenItsViewChanges)
{
    EditorRig rig;
    rig.rig.SetIdentity();
    rig.plugin().ShowScopeTab();
    IControl* scope = rig.plugin().Controls().scopeDrawer;
    const StereoSignal block = MakeNoise(PluginRig::kBlock, 0.5);
    // Marks over a second of blocks, each taken by a redraw as the editor's timer would.
    const auto marksInASecond = [&] {
        int marks = 0;
        const int blocks = static_cast<int>(PluginRig::kRate) / PluginRig::kBlock;
        for (int b = 0; b < blocks; ++b)
        {
            rig.rig.Render(block, PluginRig::kBlock);
            marks += scope->IsDirty() ? 1 : 0;
            rig.Settle();
        }
        return marks;
    };
    const int scrolling = marksInASecond();
    EXPECT_GE(scrolling, 11);
    EXPECT_LE(scrolling, 13);

    // What came in before the freeze is still shown once; after that the picture stays.
    rig.plugin().SetFrozen(true);
    marksInASecond();
    EXPECT_EQ(marksInASecond(), 0) << "frozen";

    const struct
    {
        const char* name;
        std::function<void(Zarvotone&)> change;
    } views[] = {
        {"draw mode", [](Zarvotone& p) { p.SetDrawMode(2); }},
        {"input trace", [](Zarvotone& p) { p.SetInputTraceShown(0.0); }},
        {"output trace", [](Zarvotone& p) { p.SetOutputTraceShown(0.0); }},
        {"unfrozen", [](Zarvotone& p) { p.SetFrozen(false); }},
    };
    for (const auto& view : views)
    {
        rig.Settle();
        view.change(rig.plugin());
        EXPECT_TRUE(scope->IsDirty()) << view.name;
    }
}

TEST(EditorHooks, ANewTempoRedrawsTheHostInformation)
{
    FakeHost host;
    host.answerTime = true;
    host.timeInfo.flags = kVstTempoValid;
    host.timeInfo.tempo = 120.0;
    EditorRig rig(&FakeHost::Callback);
    IControl* hostInfo = rig.plugin().Controls().hostInfoText;
    const struct
    {
        double tempo;
        bool redrawn;
    } cases[] = {{120.0, false}, {133.0, true}, {133.0, false}, {90.0, true}};
    for (const auto& c : cases)
    {
        host.timeInfo.tempo = c.tempo;
        rig.Settle();
        rig.rig.Render(MakeNoise(64, 0.1), 64);
        EXPECT_EQ(hostInfo->IsDirty(), c.redrawn) << c.tempo;
    }
}

// Opening the editor, loading a state and loading a program file with settings all bring the
// controls in line with the settings.
TEST(EditorHooks, LoadsAndOpeningShowTheStoredView)
{
    const struct
    {
        const char* name;
        std::function<void(EditorRig& rig, Zarvotone& source)> load;
    } cases[] = {
        {"editor opened",
         [](EditorRig& rig, Zarvotone& source) {
             rig.plugin().Config() = source.Config();
             rig.plugin().OnEditorOpened();
         }},
        {"state, at the next redraw tick",
         [](EditorRig& rig, Zarvotone& source) {
             StateChunk chunk;
             ASSERT_TRUE(source.SerializeState(chunk));
             ASSERT_GT(rig.plugin().UnserializeState(chunk, 0), 0);
             rig.graphics->Tick();
         }},
        {"program file",
         [](EditorRig& rig, Zarvotone& source) {
             TempFile file(".wz");
             source.SaveProgramFile(file.Path());
             rig.plugin().LoadProgramFile(file.Path());
         }},
    };
    for (const auto& c : cases)
    {
        EditorRig source;
        PluginConfig& settings = source.plugin().Config();
        settings.VisibleTab = 2.0;
        settings.ScopeZoom = 250.0;
        settings.ScopeDrawMode = 2.0;
        settings.ScopeDrawInput = 0.0;
        settings.ScopeDrawOutput = 1.0;

        EditorRig rig;
        rig.Settle();
        c.load(rig, source.plugin());
        for (int tab = 0; tab < ZarvotoneControls::kTabCount; ++tab)
            for (const IControl* control : rig.tabControls[static_cast<size_t>(tab)])
                EXPECT_EQ(control->IsHidden(), tab != ZarvotoneControls::kAboutTab) << c.name;
        EXPECT_TRUE(rig.zoomText->TextEquals("250 %")) << c.name;
        const ZarvotoneControls& controls = rig.plugin().Controls();
        EXPECT_EQ(controls.drawModeButton->GetValue(), 1.0) << c.name;
        EXPECT_EQ(controls.inputTraceSwitch->GetValue(), 0.0) << c.name;
        EXPECT_EQ(controls.outputTraceSwitch->GetValue(), 1.0) << c.name;
    }
}
}
