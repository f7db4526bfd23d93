#include "dsp/units/filters/FilterType.h"
#include "tests/editor_core/EditorRig.h"
#include "tests/support/TestThread.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <limits>

namespace
{
constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
using Tab = ZarvotoneControls::Tab;

void ExpectShown(const std::vector<IControl*>& controls, bool shown, const char* what)
{
    for (const IControl* control : controls)
        EXPECT_EQ(control->IsHidden(), !shown) << what;
}

TEST(TabController, EachTabShowsItsOwnListAndResetsTheOtherButtons)
{
    const struct
    {
        const char* name;
        void (Wezmark::ITabController::*show)();
        Tab tab;
    } cases[] = {
        {"plug-in", &Wezmark::ITabController::ShowPlugInTab, ZarvotoneControls::kPlugInTab},
        {"scope", &Wezmark::ITabController::ShowScopeTab, ZarvotoneControls::kScopeTab},
        {"about", &Wezmark::ITabController::ShowAboutTab, ZarvotoneControls::kAboutTab},
    };
    for (const auto& c : cases)
    {
        EditorRig rig;
        for (IControl* button : rig.tabButtons)
            button->SetValueFromPlug(1.0);
        rig.Settle();
        Wezmark::ITabController& tabs = rig.plugin();
        (tabs.*c.show)();
        EXPECT_EQ(rig.plugin().Config().VisibleTab, static_cast<double>(c.tab)) << c.name;
        for (int tab = 0; tab < ZarvotoneControls::kTabCount; ++tab)
        {
            const bool own = tab == c.tab;
            ExpectShown(rig.tabControls[static_cast<size_t>(tab)], own, c.name);
            IControl* button = rig.tabButtons[static_cast<size_t>(tab)];
            EXPECT_EQ(button->GetValue(), own ? 1.0 : 0.0) << c.name << " button " << tab;
            EXPECT_EQ(button->IsDirty(), !own) << c.name << " button " << tab;
        }
    }
}

TEST(TabController, PlugInTabOpensOnTheSubBandPageAndTheFourthTabDoesNothing)
{
    EditorRig rig;
    rig.plugin().SetEqPage(false);
    rig.plugin().ShowAboutTab();
    rig.plugin().ShowPlugInTab();
    ExpectShown(rig.pageControls[ZarvotoneControls::kSubBandPage], true, "sub-band page");
    ExpectShown(rig.pageControls[ZarvotoneControls::kDistoBandPage], false, "disto-band page");

    rig.Settle();
    rig.plugin().ShowFourthTab();
    EXPECT_EQ(rig.plugin().Config().VisibleTab, 0.0);
    for (int i = 0; i < rig.graphics->GetControlCount(); ++i)
        EXPECT_FALSE(rig.graphics->GetControl(i)->IsDirty()) << i;
}

TEST(EqController, OnePageAtATimeWithItsButtonOnAndTheOtherSwitchGreyed)
{
    const struct
    {
        const char* name;
        void (Wezmark::IEqController::*set)(bool);
        bool argument;
        bool subBandShown;
    } cases[] = {
        {"sub-band", &Wezmark::IEqController::SetEqPage, true, true},
        {"disto-band", &Wezmark::IEqController::SetEqPage, false, false},
        {"inverse of disto-band", &Wezmark::IEqController::SetEqPageInverse, true, false},
        {"inverse of sub-band", &Wezmark::IEqController::SetEqPageInverse, false, true},
    };
    for (const auto& c : cases)
    {
        EditorRig rig;
        Wezmark::IEqController& eq = rig.plugin();
        (eq.*c.set)(c.argument);
        const ZarvotoneControls& controls = rig.plugin().Controls();
        for (int page = 0; page < ZarvotoneControls::kEqPageCount; ++page)
        {
            const bool shown = (page == ZarvotoneControls::kSubBandPage) == c.subBandShown;
            const ZarvotoneControls::EqPage& link = controls.eqPages[static_cast<size_t>(page)];
            ExpectShown(rig.pageControls[static_cast<size_t>(page)], shown, c.name);
            EXPECT_EQ(link.button->GetValue(), shown ? 1.0 : 0.0) << c.name << " page " << page;
            EXPECT_TRUE(link.button->IsDirty()) << c.name << " page " << page;
            EXPECT_EQ(link.eqSwitch->IsGrayed(), !shown) << c.name << " page " << page;
        }
    }
}

TEST(BandFreqCurve, MagnitudesOfTheSplitterAtQuadraticallySpacedFrequencies)
{
    EditorRig rig;
    rig.rig.Set(kParamSubBandSlope, 1.0);
    rig.rig.Set(kParamDistoBandSlope, 1.0 / 3.0);
    const Wezmark::BandSplitFilter& splitter = rig.plugin().Units().subBand.splitter;
    const double frequencies[] = {0.0, 0.03125, 0.125, 0.28125};
    for (int band : {0, 1})
    {
        double out[4] = {};
        rig.plugin().GetBandFreqCurve(band, out, 4);
        for (size_t i = 0; i < std::size(out); ++i)
            EXPECT_EQ(out[i], splitter.Response(band, frequencies[i])) << band << " " << i;
    }
    // Far above the split the low pass has closed and the high pass is open.
    double low[4];
    double high[4];
    rig.plugin().GetBandFreqCurve(0, low, 4);
    rig.plugin().GetBandFreqCurve(1, high, 4);
    EXPECT_LT(low[3], 1e-3);
    EXPECT_GT(high[3], 0.9);

    double untouched[2] = {5.0, 5.0};
    rig.plugin().GetBandFreqCurve(0, untouched, 0);
    EXPECT_EQ(untouched[0], 5.0);

    rig.plugin().Units().subBand.splitter.lowSlope = 7;
    double unfiltered[4];
    rig.plugin().GetBandFreqCurve(0, unfiltered, 4);
    for (double magnitude : unfiltered)
        EXPECT_EQ(magnitude, 1.0);
}

TEST(FilterData, NamesAndTypesOfBothFiltersAndNothingForOthers)
{
    EditorRig rig;
    rig.rig.Set(kParamFilter1Type, 14.0 / 30.0);
    rig.rig.Set(kParamFilter2Type, 7.0 / 30.0);
    Wezmark::IFilterDataProvider& filters = rig.plugin();
    const struct
    {
        int unit;
        int type;
    } cases[] = {{0, 14}, {1, 7}, {2, -1}, {-1, -1}};
    for (const auto& c : cases)
    {
        EXPECT_STREQ(filters.GetFilterName(c.unit), c.type < 0 ? "" : GetFilterTypeName(c.type)) << c.unit;
        EXPECT_STREQ(filters.GetFilterShortName(c.unit), c.type < 0 ? "" : GetFilterTypeShortName(c.type)) << c.unit;
        EXPECT_EQ(filters.GetFilterType(c.unit), c.type < 0 ? 0 : c.type) << c.unit;
        EXPECT_EQ(filters.GetExtraFilterType(c.unit), 0) << c.unit;
    }
}

TEST(CurveData, CurrentCurveFollowsTheDistortionType)
{
    EditorRig rig;
    for (int id : {0, 22, 80})
    {
        rig.rig.Set(kParamDistortionType, id / 80.0);
        EXPECT_EQ(rig.plugin().GetCurrentCurve(), id);
    }
}

TEST(PresetProvider, CurrentPresetNumberedFromOne)
{
    EditorRig rig;
    Zarvotone& plugin = rig.plugin();
    EXPECT_EQ(plugin.GetPresetDisplayName(), std::string("01: ") + plugin.GetPreset(0)->name);
    ASSERT_TRUE(plugin.SelectPreset(11));
    EXPECT_EQ(plugin.GetPresetDisplayName(), std::string("12: ") + plugin.GetPreset(11)->name);
}

// Stepping past either end of the bank changes nothing; a step inside it is a preset change,
// which puts the curve editor back on the curve and redraws the curve menu.
TEST(PresetProvider, SteppingStopsAtTheEndsAndMarksTheCurveControls)
{
    EditorRig rig;
    Zarvotone& plugin = rig.plugin();
    const int last = plugin.GetPresetCount() - 1;
    const struct
    {
        int from;
        int step;
        int to;
    } cases[] = {{0, -1, 0}, {0, 1, 1}, {last, 1, last}, {last - 5, 10, last - 5}, {20, -10, 10}};
    for (const auto& c : cases)
    {
        ASSERT_TRUE(plugin.SelectPreset(c.from));
        rig.drawArea.displayMode = 1;
        rig.Settle();
        const bool moved = plugin.SelectPreset(plugin.GetCurrentPreset() + c.step);
        EXPECT_EQ(moved, c.to != c.from) << c.from << " " << c.step;
        EXPECT_EQ(plugin.GetCurrentPreset(), c.to) << c.from << " " << c.step;
        EXPECT_EQ(rig.drawArea.displayMode.load() == 0, moved) << c.from << " " << c.step;
        EXPECT_EQ(plugin.Controls().curveMenu->IsDirty(), moved) << c.from << " " << c.step;
    }
}

TEST(ScopeController, ZoomStepsWithinItsRangeAndShowsInTheZoomText)
{
    const struct
    {
        double zoom;
        bool zoomIn;
        double step;
        double expected;
        const char* text;
    } cases[] = {
        {495.0, true, 1.0, 500.0, "500 %"}, {15.0, false, 1.0, 10.0, " 10 %"},
        {100.0, true, 0.5, 105.0, "105 %"},  {100.0, false, 4.0, 60.0, " 60 %"},
        // A zoom a broken state left behind counts as the default.
        {kNaN, true, 1.0, 110.0, "110 %"},   {-50.0, false, 1.0, 90.0, " 90 %"},
    };
    for (const auto& c : cases)
    {
        EditorRig rig;
        rig.plugin().Config().ScopeZoom = c.zoom;
        rig.plugin().StepZoom(c.zoomIn, c.step);
        EXPECT_EQ(rig.plugin().Config().ScopeZoom, c.expected) << c.zoom;
        EXPECT_TRUE(rig.zoomText->TextEquals(c.text)) << c.zoom;
        EXPECT_TRUE(rig.zoomText->IsDirty()) << c.zoom;

        rig.Settle();
        rig.plugin().UpdateZoomText();
        EXPECT_FALSE(rig.zoomText->IsDirty()) << "unchanged text " << c.zoom;
    }
}

TEST(ScopeController, DrawModeAndTraces)
{
    EditorRig rig;
    Zarvotone& plugin = rig.plugin();
    const struct
    {
        double stored;
        int mode;
    } modes[] = {{0.0, 0}, {2.0, 2}, {1.9, 1}, {kNaN, 0}, {1e300, 0}};
    for (const auto& c : modes)
    {
        plugin.Config().ScopeDrawMode = c.stored;
        EXPECT_EQ(plugin.GetDrawMode(), c.mode) << c.stored;
    }
    plugin.SetDrawMode(2);
    EXPECT_EQ(plugin.Config().ScopeDrawMode, 2.0);

    for (double shown : {1.0, 0.0, 0.5})
    {
        plugin.SetInputTraceShown(shown);
        plugin.SetOutputTraceShown(1.0 - shown);
        EXPECT_EQ(plugin.Config().ScopeDrawInput, shown);
        EXPECT_EQ(plugin.IsInputTraceShown(), shown == 1.0) << shown;
        EXPECT_EQ(plugin.IsOutputTraceShown(), 1.0 - shown == 1.0) << shown;
    }
}

class Scope : public ::testing::Test
{
protected:
    void SetUp() override
    {
        rig.plugin().Config().VisibleTab = ZarvotoneControls::kScopeTab;
        // Every frame an entry, so one frame is enough to see a block write.
        rig.plugin().Config().ScopeZoom = 1e9;
        rig.rig.SetIdentity();
        rig.rig.Render(MakeNoise(44100, 0.5), 4096);
    }

    size_t GapCount() const
    {
        return static_cast<size_t>(std::count_if(scope.entries.begin(), scope.entries.end(), [](const ScopeEntry& e) {
            return e.gap && e.inputLeft == 0.0 && e.inputRight == 0.0 && e.outputLeft == 0.0 && e.outputRight == 0.0;
        }));
    }

    // The entries from the given age (0 the oldest) to the newest are gaps.
    void ExpectAllGaps(size_t from)
    {
        for (size_t i = from; i < scope.entries.size(); ++i)
        {
            const ScopeEntry& entry = scope.entries[(scope.writeCounter + i) % scope.capacity];
            EXPECT_TRUE(entry.gap && entry.inputLeft == 0.0 && entry.outputRight == 0.0) << i;
        }
    }

    EditorRig rig;
    const ScopeBuffer& scope = rig.plugin().Scope();
};

TEST_F(Scope, ShowingTheScopeTabEmptiesTheRing)
{
    ASSERT_NE(scope.entries[0].inputLeft, 0.0);
    const uint16_t written = scope.writeCounter;
    rig.plugin().ShowScopeTab();
    EXPECT_EQ(scope.writeCounter, written);
    EXPECT_EQ(GapCount(), scope.entries.size());
}

// While a block holds the plug-in lock the editor does not wait: the next block empties the ring.
TEST_F(Scope, ABlockRunningMeanwhileEmptiesTheRingItself)
{
    ThreadSignal locked;
    ThreadSignal release;
    TestThread block(
        "the block holding the plug-in lock",
        [&] {
            rig.plugin().GetLock().Enter();
            locked.Raise();
            EXPECT_TRUE(release.Wait("the editor to show the scope tab"));
            rig.plugin().GetLock().Leave();
        },
        [&] { release.Raise(); });
    ASSERT_TRUE(locked.Wait("the block to take the plug-in lock"));
    rig.plugin().ShowScopeTab();
    EXPECT_EQ(GapCount(), 0u);
    block.Join();

    const uint16_t written = scope.writeCounter;
    rig.rig.Render(MakeNoise(1, 0.5), 1);
    EXPECT_EQ(scope.writeCounter, static_cast<uint16_t>(written + 1));
    EXPECT_EQ(GapCount(), scope.entries.size() - 1);
}

TEST_F(Scope, FrozenKeepsTheTraceAndEachUnfreezeLeavesAGap)
{
    Wezmark::IScopeController& controller = rig.plugin();
    controller.SetFrozen(true);
    const std::vector<ScopeEntry> frozen = scope.entries;
    const uint16_t written = scope.writeCounter;
    rig.rig.Render(MakeNoise(4096, 0.5), 4096);
    EXPECT_EQ(scope.writeCounter, written);
    EXPECT_EQ(std::memcmp(scope.entries.data(), frozen.data(), sizeof(ScopeEntry) * frozen.size()), 0);

    controller.SetFrozen(false);
    EXPECT_EQ(scope.writeCounter, static_cast<uint16_t>(written + 20));
    controller.SetFrozen(false);
    EXPECT_EQ(scope.writeCounter, static_cast<uint16_t>(written + 40));
    ExpectAllGaps(scope.capacity - 40u);
    EXPECT_FALSE(scope.entries[(written + scope.capacity - 1u) % scope.capacity].gap);

    rig.rig.Render(MakeNoise(4096, 0.5), 4096);
    EXPECT_GT(scope.writeCounter, static_cast<uint16_t>(written + 40));
}

TEST(FilePaths, CopiesOfTheRememberedPathsEvenWithoutTerminator)
{
    EditorRig rig;
    PluginConfig& config = rig.plugin().Config();
    config.SetLastSelectedProgramFile("/music/program.wz");
    std::strcpy(config.LastSelectedDistoCurveFile, "/music/curve.csv");
    EXPECT_EQ(rig.plugin().GetProgramFilePath(), "/music/program.wz");
    EXPECT_EQ(rig.plugin().GetCurveFilePath(), "/music/curve.csv");

    std::memset(config.LastSelectedProgramFile, 'x', sizeof config.LastSelectedProgramFile);
    EXPECT_EQ(rig.plugin().GetProgramFilePath(), std::string(PluginConfig::kTextSize, 'x'));
}
}
