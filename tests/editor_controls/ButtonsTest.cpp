#include "editor/IEqTabButton.h"
#include "editor/IWzDrawModeButton.h"
#include "editor/IWzFreezeButton.h"
#include "editor/IWzModeSwitch.h"
#include "editor/IWzPresetSwitch.h"
#include "editor/IWzResetButton.h"
#include "editor/IWzRestoreCurveButton.h"
#include "editor/IWzScopeWaveSwitch.h"
#include "editor/IWzTabButton.h"
#include "editor/IWzZoomSwitch.h"
#include "editor/IZoomTextControl.h"
#include "plugin/ProgramParameters.h"
#include "tests/editor_controls/ControlTestRig.h"

#include <gtest/gtest.h>

using Wezmark::IEqTabButton;
using Wezmark::IWzDrawModeButton;
using Wezmark::IWzScopeWaveSwitch;
using Wezmark::IWzTabButton;

namespace
{
using Log = std::vector<std::string>;

BitmapStrip Strip(int frames)
{
    return BitmapStrip{nullptr, 20, 20 * frames, frames, false};
}

struct PresetStepCase
{
    int start;
    int direction;
    bool right;
    int expected;
};

class PresetSwitchTest : public testing::TestWithParam<PresetStepCase>
{
};

TEST_P(PresetSwitchTest, StepsTheProgramAndAlwaysTellsTheHost)
{
    const PresetStepCase c = GetParam();
    ControlTestRig rig;
    rig.plug.NamePresets(std::vector<std::string>(IEffectBase::kPresetCount, "p"));
    rig.plug.SelectPreset(c.start);
    rig.plug.events.clear();
    const BitmapStrip strip = Strip(2);
    auto* button = rig.Add(new IWzPresetSwitch(&rig.plug, 0, 0, &strip, c.direction));
    const MouseModifiers mods = c.right ? RightButton() : LeftButton();
    button->OnMouseDown(1, 1, &mods);
    EXPECT_EQ(rig.plug.GetCurrentPreset(), c.expected);
    EXPECT_EQ(rig.plug.OtherEvents(), Log{"display"});
    EXPECT_EQ(rig.plug.AutomationCount(), IEffectBase::kParamCount);
    EXPECT_EQ(button->GetValue(), 1.0);
}

INSTANTIATE_TEST_SUITE_P(Steps, PresetSwitchTest,
                         testing::Values(PresetStepCase{5, IWzPresetSwitch::kNext, false, 6},
                                         PresetStepCase{5, IWzPresetSwitch::kPrevious, false, 4},
                                         PresetStepCase{5, IWzPresetSwitch::kNext, true, 15},
                                         PresetStepCase{0, IWzPresetSwitch::kPrevious, false, 0},
                                         PresetStepCase{127, IWzPresetSwitch::kNext, true, 127},
                                         PresetStepCase{120, IWzPresetSwitch::kNext, true, 120}));

TEST(PresetSwitch, DoubleClickStepsTwice)
{
    ControlTestRig rig;
    rig.plug.NamePresets(std::vector<std::string>(4, "p"));
    rig.plug.SelectPreset(0);
    const BitmapStrip strip = Strip(2);
    auto* button = rig.Add(new IWzPresetSwitch(&rig.plug, 0, 0, &strip, IWzPresetSwitch::kNext));
    const MouseModifiers mods = LeftButton();
    rig.graphics->HandleMouseDown(1, 1, &mods);
    rig.graphics->HandleMouseUp(1, 1, &mods);
    rig.graphics->HandleMouseDoubleClick(1, 1, &mods);
    EXPECT_EQ(rig.plug.GetCurrentPreset(), 2);
    (void)button;
}

struct ModeStepCase
{
    const char* name;
    double value;
    int states;
    bool wrap;
    bool up;
    bool large;
    double expected;
};

class ModeSwitchStepTest : public testing::TestWithParam<ModeStepCase>
{
};

TEST_P(ModeSwitchStepTest, NextValue)
{
    const ModeStepCase c = GetParam();
    EXPECT_DOUBLE_EQ(IWzModeSwitch::NextValue(c.value, c.states, c.wrap, c.up, c.large), c.expected) << c.name;
}

INSTANTIATE_TEST_SUITE_P(
    Steps, ModeSwitchStepTest,
    testing::Values(ModeStepCase{"81 states up", 40.0 / 80, 81, false, true, false, 41.0 / 80},
                    ModeStepCase{"81 states stop at the top", 1.0, 81, false, true, false, 1.0},
                    ModeStepCase{"81 states stop at the bottom", 0.0, 81, false, false, false, 0.0},
                    ModeStepCase{"five states wrap to the first", 1.0, 5, true, true, false, 0.0},
                    ModeStepCase{"five states wrap to the last", 0.0, 5, true, false, false, 1.0},
                    ModeStepCase{"rounds to the nearest state", 0.26, 5, false, true, false, 0.5},
                    ModeStepCase{"right click moves ten", 10.0 / 80, 81, false, true, true, 20.0 / 80},
                    ModeStepCase{"right click clamps up", 75.0 / 80, 81, true, true, true, 1.0},
                    ModeStepCase{"right click clamps down", 0.25, 5, true, false, true, 0.0}),
    [](const testing::TestParamInfo<ModeStepCase>& info) { return "case" + std::to_string(info.index); });

TEST(ModeSwitch, SendsTheStepFromThePluginsValue)
{
    ControlTestRig rig;
    rig.plug.GetParam(10)->InitContinuous("Type", 0.0, 0.0, 1.0, 0.0, "", "", 1.0);
    ProgramParameters values;
    values.Store(10, 0.5);
    const BitmapStrip strip = Strip(2);
    auto* button =
        rig.Add(new IWzModeSwitch(&rig.plug, 0, 0, &strip, 10, 5, &values, false, IWzModeSwitch::kUp));
    EXPECT_EQ(button->GetParamIndex(), -1);
    const MouseModifiers mods = LeftButton();
    rig.graphics->HandleMouseDown(1, 1, &mods);
    rig.graphics->HandleMouseUp(1, 1, &mods);
    rig.graphics->HandleMouseDoubleClick(1, 1, &mods);
    EXPECT_EQ(rig.plug.events, (Log{"automate 10 0.75", "automate 10 0.75"}));
}

// A selector of one state (or none) has no step; pressing it must not divide by zero.
TEST(ModeSwitch, WithOneStateOrFewerSendsNothing)
{
    for (const int states : {1, 0, -3})
    {
        ControlTestRig rig;
        ProgramParameters values;
        const BitmapStrip strip = Strip(2);
        auto* button = rig.Add(new IWzModeSwitch(&rig.plug, 0, 0, &strip, 10, states, &values, true, 1));
        const MouseModifiers mods = RightButton();
        button->OnMouseDown(1, 1, &mods);
        EXPECT_TRUE(rig.plug.events.empty()) << states;
    }
}

TEST(ResetButton, PressesAndAsksForTheReset)
{
    ControlTestRig rig;
    int resets = 0;
    const BitmapStrip strip = Strip(2);
    auto* button = rig.Add(new IWzResetButton(&rig.plug, 0, 0, &strip, [&resets] { ++resets; }));
    const MouseModifiers mods = LeftButton();
    rig.graphics->HandleMouseDown(1, 1, &mods);
    EXPECT_EQ(button->GetValue(), 1.0);
    rig.graphics->HandleMouseUp(1, 1, &mods);
    EXPECT_EQ(button->GetValue(), 0.0);
    EXPECT_EQ(resets, 1);
}

// Each control's press and the controller calls it makes, as one table.
struct PressCase
{
    const char* name;
    std::function<IControl*(ControlTestRig&, const BitmapStrip*)> make;
    bool right;
    Log expected;
};

class ControllerPressTest : public testing::TestWithParam<PressCase>
{
};

TEST_P(ControllerPressTest, CallsTheController)
{
    const PressCase& c = GetParam();
    ControlTestRig rig;
    const BitmapStrip strip = Strip(2);
    IControl* control = rig.Add(c.make(rig, &strip));
    const MouseModifiers mods = c.right ? RightButton() : LeftButton();
    control->OnMouseDown(1, 1, &mods);
    EXPECT_EQ(rig.controller.log, c.expected) << c.name;
}

INSTANTIATE_TEST_SUITE_P(
    Presses, ControllerPressTest,
    testing::Values(
        PressCase{"restore", [](ControlTestRig& r, const BitmapStrip* s) -> IControl* {
                      return new IWzRestoreCurveButton(&r.plug, 0, 0, s, &r.controller);
                  }, false, {"action 0"}},
        PressCase{"zoom in", [](ControlTestRig& r, const BitmapStrip* s) -> IControl* {
                      return new IWzZoomSwitch(&r.plug, 0, 0, s, &r.controller, IWzZoomSwitch::kZoomIn);
                  }, false, {"zoom in 1"}},
        PressCase{"zoom out by four", [](ControlTestRig& r, const BitmapStrip* s) -> IControl* {
                      return new IWzZoomSwitch(&r.plug, 0, 0, s, &r.controller, 7);
                  }, true, {"zoom out 4"}},
        PressCase{"plug-in tab", [](ControlTestRig& r, const BitmapStrip* s) -> IControl* {
                      return new IWzTabButton(&r.plug, 0, 0, s, &r.controller, IWzTabButton::kPlugInTab);
                  }, false, {"tab plug-in"}},
        PressCase{"scope tab", [](ControlTestRig& r, const BitmapStrip* s) -> IControl* {
                      return new IWzTabButton(&r.plug, 0, 0, s, &r.controller, IWzTabButton::kScopeTab);
                  }, false, {"tab scope"}},
        PressCase{"about tab", [](ControlTestRig& r, const BitmapStrip* s) -> IControl* {
                      return new IWzTabButton(&r.plug, 0, 0, s, &r.controller, IWzTabButton::kAboutTab);
                  }, false, {"tab about"}},
        PressCase{"unknown tab", [](ControlTestRig& r, const BitmapStrip* s) -> IControl* {
                      return new IWzTabButton(&r.plug, 0, 0, s, &r.controller, 3);
                  }, false, {}},
        PressCase{"sub-band page", [](ControlTestRig& r, const BitmapStrip* s) -> IControl* {
                      return new IEqTabButton(&r.plug, 0, 0, s, &r.controller, IEqTabButton::kSubBandPage);
                  }, false, {"eq sub"}},
        PressCase{"disto-band page", [](ControlTestRig& r, const BitmapStrip* s) -> IControl* {
                      return new IEqTabButton(&r.plug, 0, 0, s, &r.controller, IEqTabButton::kDistoBandPage);
                  }, false, {"eq disto"}},
        PressCase{"freeze", [](ControlTestRig& r, const BitmapStrip* s) -> IControl* {
                      return new IWzFreezeButton(&r.plug, 0, 0, s, &r.controller);
                  }, false, {"freeze"}}),
    [](const testing::TestParamInfo<PressCase>& info) { return "case" + std::to_string(info.index); });

TEST(FreezeButton, TogglesAndMirrorsItsState)
{
    ControlTestRig rig;
    const BitmapStrip strip = Strip(2);
    auto* button = rig.Add(new IWzFreezeButton(&rig.plug, 0, 0, &strip, &rig.controller));
    const MouseModifiers mods = LeftButton();
    std::vector<double> values;
    for (int press = 0; press < 3; ++press)
    {
        button->OnMouseDown(1, 1, &mods);
        values.push_back(button->GetValue());
    }
    EXPECT_EQ(values, (std::vector<double>{1.0, 0.0, 1.0}));
    EXPECT_EQ(rig.controller.log, (Log{"freeze", "unfreeze", "freeze"}));
}

TEST(EqTabButton, HidesAndShowsItsPage)
{
    ControlTestRig rig;
    const BitmapStrip strip = Strip(2);
    auto* first = rig.Add(new IWzFreezeButton(&rig.plug, 0, 0, &strip, nullptr));
    auto* second = rig.Add(new IWzFreezeButton(&rig.plug, 0, 0, &strip, nullptr));
    auto* button = rig.Add(new IEqTabButton(&rig.plug, 0, 0, &strip, &rig.controller, IEqTabButton::kSubBandPage));
    button->AddPageControl(0);
    button->AddPageControl(1);
    button->AddPageControl(99);
    button->Hide(true);
    EXPECT_TRUE(first->IsHidden() && second->IsHidden() && button->IsHidden());
    button->Hide(false);
    EXPECT_FALSE(first->IsHidden() || second->IsHidden() || button->IsHidden());
}

TEST(DrawModeButton, CyclesThroughTheThreeModes)
{
    ControlTestRig rig;
    const BitmapStrip strip = Strip(3);
    auto* button = rig.Add(new IWzDrawModeButton(&rig.plug, 0, 0, &strip, &rig.controller));
    const MouseModifiers mods = LeftButton();
    std::vector<std::pair<int, double>> seen;
    rig.controller.drawMode = 7;
    for (int press = 0; press < 4; ++press)
    {
        button->OnMouseDown(1, 1, &mods);
        seen.emplace_back(rig.controller.drawMode, button->GetValue());
    }
    EXPECT_EQ(seen, (std::vector<std::pair<int, double>>{{0, 0.0}, {1, 0.5}, {2, 1.0}, {0, 0.0}}));
}

TEST(ScopeWaveSwitch, AlternatesWithTwoFramesOrOne)
{
    for (const int frames : {2, 1})
    {
        ControlTestRig rig;
        const BitmapStrip strip = Strip(frames);
        auto* input = rig.Add(
            new IWzScopeWaveSwitch(&rig.plug, 0, 0, &strip, &rig.controller, IWzScopeWaveSwitch::kInputTrace));
        auto* output = rig.Add(
            new IWzScopeWaveSwitch(&rig.plug, 0, 0, &strip, &rig.controller, IWzScopeWaveSwitch::kOutputTrace));
        const MouseModifiers mods = LeftButton();
        std::vector<double> shown;
        for (int press = 0; press < 3; ++press)
        {
            input->OnMouseDown(1, 1, &mods);
            shown.push_back(rig.controller.inputShown);
        }
        EXPECT_EQ(shown, (std::vector<double>{1.0, 0.0, 1.0})) << frames;
        output->OnMouseDown(1, 1, &mods);
        EXPECT_EQ(rig.controller.outputShown, 1.0);
    }
}

TEST(ZoomText, WheelZoomsInOrOutByTheNotches)
{
    ControlTestRig rig;
    const TextStyle style;
    auto* text = rig.Add(new IZoomTextControl(&rig.plug, Rect{0, 0, 40, 20}, &style, &rig.controller));
    for (const int notches : {2, -3, 0})
        text->OnMouseWheel(1, 1, nullptr, notches);
    EXPECT_EQ(rig.controller.log, (Log{"zoom in 2", "zoom out 3", "zoom out 0"}));
}
} // namespace
