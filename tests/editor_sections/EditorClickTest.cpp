#include "editor/IWzTabButton.h"
#include "framework/vst2/Vst2Constants.h"
#include "plugin/ParamIndex.h"
#include "tests/editor_sections/SectionsRig.h"

#include <gtest/gtest.h>

namespace
{
// The centre of a control's rectangle.
struct Point
{
    int x;
    int y;
};
constexpr Point kVolumeKnob = {80, 652};
constexpr Point kSaturationModeSwitch = {198, 704};
constexpr Point kCurveMenu = {325, 109};
constexpr Point kPlugInTab = {243, 795};
constexpr Point kScopeTab = {323, 795};
constexpr Point kAboutTab = {403, 795};
constexpr Point kDistoBandTab = {560, 307};

double Value(SectionsRig& rig, int param)
{
    return rig.plugin().GetParam(param)->Value();
}

// The host heard one gesture on `param`: begin, values, end, nothing of another parameter.
void ExpectOneGesture(const std::vector<HostCall>& calls, int param)
{
    ASSERT_GE(calls.size(), 3u);
    EXPECT_EQ(calls.front().opcode, audioMasterBeginEdit);
    EXPECT_EQ(calls.back().opcode, audioMasterEndEdit);
    for (const HostCall& call : calls)
        EXPECT_EQ(call.index, param);
    for (size_t i = 1; i + 1 < calls.size(); ++i)
        EXPECT_EQ(calls[i].opcode, audioMasterAutomate);
}
}

TEST(EditorClicks, DraggingTheInputVolumeUpRaisesItInOneGesture)
{
    SectionsRig rig;
    rig.rig.Set(kParamInputVolume, 0.5);
    rig.host.calls.clear();
    rig.Drag(kVolumeKnob.x, kVolumeKnob.y, kVolumeKnob.x, kVolumeKnob.y - 20);
    EXPECT_GT(Value(rig, kParamInputVolume), 0.5);
    ExpectOneGesture(rig.CallsOf({audioMasterBeginEdit, audioMasterAutomate, audioMasterEndEdit}), kParamInputVolume);
}

// Three frames for three modes: each click moves half the range and wraps after the last.
TEST(EditorClicks, TheInputSaturationModeSwitchStepsThroughItsModes)
{
    SectionsRig rig;
    ASSERT_EQ(Value(rig, kParamInputSaturationMode), 0.5);
    for (double expected : {1.0, 0.0, 0.5})
    {
        rig.host.calls.clear();
        rig.Click(kSaturationModeSwitch.x, kSaturationModeSwitch.y);
        EXPECT_DOUBLE_EQ(Value(rig, kParamInputSaturationMode), expected);
        ExpectOneGesture(rig.CallsOf({audioMasterBeginEdit, audioMasterAutomate, audioMasterEndEdit}),
                         kParamInputSaturationMode);
    }
}

TEST(EditorClicks, ChoosingTheLastShapeInTheMenuSetsTheTypeToOne)
{
    SectionsRig rig;
    rig.graphics->ChoosePath({-1, -1});
    rig.Click(kCurveMenu.x, kCurveMenu.y);
    EXPECT_DOUBLE_EQ(Value(rig, kParamDistortionType), 1.0);
    const std::vector<HostCall> automation = rig.CallsOf({audioMasterAutomate});
    ASSERT_FALSE(automation.empty());
    EXPECT_EQ(automation.back().index, kParamDistortionType);
    EXPECT_FLOAT_EQ(automation.back().opt, 1.0f);
}

TEST(EditorClicks, TabButtonsShowTheirListAndHideTheOthers)
{
    SectionsRig rig;
    const ZarvotoneControls& controls = rig.plugin().Controls();
    const auto listShown = [&](ZarvotoneControls::Tab tab) {
        int shown = 0;
        for (int32_t index : controls.tabLists[static_cast<size_t>(tab)])
            shown += rig.graphics->GetControl(index)->IsHidden() ? 0 : 1;
        return shown == 0 ? 0 : (shown == static_cast<int>(controls.tabLists[static_cast<size_t>(tab)].size()) ? 1 : -1);
    };
    const auto pageShown = [&](int page) {
        int shown = 0;
        for (int32_t index : *controls.eqPages[static_cast<size_t>(page)].controls)
            shown += rig.graphics->GetControl(index)->IsHidden() ? 0 : 1;
        return shown == 0 ? 0 : (shown == static_cast<int>(controls.eqPages[static_cast<size_t>(page)].controls->size()) ? 1 : -1);
    };
    struct Case
    {
        Point click;
        std::array<int, ZarvotoneControls::kTabCount> lists;
        std::array<int, ZarvotoneControls::kEqPageCount> pages;
    };
    const std::vector<Case> cases = {
        {{-1, -1}, {1, 0, 0}, {1, 0}},
        {kScopeTab, {0, 1, 0}, {0, 0}},
        {kAboutTab, {0, 0, 1}, {0, 0}},
        {kPlugInTab, {1, 0, 0}, {1, 0}},
        {kDistoBandTab, {1, 0, 0}, {0, 1}},
    };
    for (const Case& c : cases)
    {
        if (c.click.x >= 0)
            rig.Click(c.click.x, c.click.y);
        SCOPED_TRACE(testing::Message() << "after a click at " << c.click.x << ", " << c.click.y);
        for (int tab = 0; tab < ZarvotoneControls::kTabCount; ++tab)
            EXPECT_EQ(listShown(static_cast<ZarvotoneControls::Tab>(tab)), c.lists[static_cast<size_t>(tab)])
                << "tab " << tab;
        for (int page = 0; page < ZarvotoneControls::kEqPageCount; ++page)
            EXPECT_EQ(pageShown(page), c.pages[static_cast<size_t>(page)]) << "page " << page;
    }
}

TEST(EditorClicks, BoundControlsNameTheirParameterInTheirTooltip)
{
    SectionsRig rig;
    IControl* knob = rig.HitAt(kVolumeKnob.x, kVolumeKnob.y);
    ASSERT_NE(knob, nullptr);
    char tooltip[256];
    knob->GetTooltip(tooltip, sizeof tooltip);
    EXPECT_STREQ(tooltip, "Input Volume");
    rig.HitAt(kCurveMenu.x, kCurveMenu.y)->GetTooltip(tooltip, sizeof tooltip);
    EXPECT_STREQ(tooltip, "Drop-Down Distortion Curve Selection");
}
