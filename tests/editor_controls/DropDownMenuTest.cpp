#include "editor/FormatShapeLabel.h"
#include "editor/IWzDistoPresetMenu.h"
#include "editor/IWzFilterUnitMenu.h"
#include "editor/IWzPresetMenu.h"
#include "framework/PresetSlot.h"
#include "tests/editor_controls/ControlTestRig.h"

#include <gtest/gtest.h>

using Wezmark::IWzDistoPresetMenu;
using Wezmark::IWzFilterUnitMenu;
using Wezmark::IWzPresetMenu;

namespace
{
using Texts = std::vector<std::string>;
constexpr ArgbColour kFieldColour{255, 20, 20, 20};

BitmapStrip FieldStrip()
{
    return BitmapStrip{nullptr, 200, 20, 1, false};
}

struct ProgramMenu
{
    explicit ProgramMenu(const Texts& names)
    {
        rig.plug.NamePresets(names);
        rig.plug.SelectPreset(0);
        const BitmapStrip strip = FieldStrip();
        menu = rig.Add(new IWzPresetMenu(&rig.plug, &rig.controller, 0, 0, nullptr, &strip, kFieldColour));
    }

    // Opens the menu with a scripted choice (none when `choice` is null) and returns what it showed.
    const MenuGraphics::Shown& Open(const MenuGraphics::Choice* choice = nullptr)
    {
        if (choice)
            rig.graphics->Choose(*choice);
        const MouseModifiers mods = LeftButton();
        menu->OnMouseDown(1, 1, &mods);
        return rig.graphics->shown.back();
    }

    ControlTestRig rig;
    IWzPresetMenu* menu;
};

// The bank's unnamed slots after the named ones are programs too; the tables name all 128.
Texts Bank(Texts names)
{
    for (size_t i = names.size(); i < IEffectBase::kPresetCount; ++i)
        names.push_back(std::string("p").append(std::to_string(i + 1)));
    return names;
}

TEST(ProgramMenu, WithoutHeadersEveryProgramIsOnTheTopLevel)
{
    ProgramMenu program(Bank({"Init", "Warm"}));
    const MenuGraphics::Shown& shown = program.Open();
    ASSERT_EQ(shown.items.size(), 128u);
    EXPECT_EQ(shown.items[0], "01: Init");
    EXPECT_EQ(shown.items[1], "02: Warm");
    EXPECT_EQ(shown.items[127], "128: p128");
    EXPECT_TRUE(shown.checked[0]);
}

TEST(ProgramMenu, HeadersGroupTheProgramsAfterThem)
{
    Texts names = Bank({"Init", "# Bass", "Sub", "Growl", "# Empty", "# Leads", "Saw"});
    ProgramMenu program(names);
    const MenuGraphics::Shown& shown = program.Open();
    ASSERT_EQ(shown.items.size(), 4u);
    EXPECT_EQ(shown.items, (Texts{"01: Init", "# Bass", "# Empty", "# Leads"}));
    EXPECT_EQ(shown.submenuItems[1], (Texts{"03: Sub", "04: Growl"}));
    EXPECT_TRUE(shown.submenuItems[2].empty());
    ASSERT_EQ(shown.submenuItems[3].size(), 122u);
    EXPECT_EQ(shown.submenuItems[3][0], "07: Saw");
    EXPECT_EQ(shown.submenuItems[3].back(), "128: p128");
}

TEST(ProgramMenu, AFirstHeaderLeavesTheTopLevelEmpty)
{
    ProgramMenu program(Bank({"#Start", "One"}));
    const MenuGraphics::Shown& shown = program.Open();
    EXPECT_EQ(shown.items, (Texts{"#Start"}));
    EXPECT_EQ(shown.submenuItems[0].size(), 127u);
}

struct ProgramChoiceCase
{
    MenuGraphics::Choice choice;
    int expected;
};

class ProgramChoiceTest : public testing::TestWithParam<ProgramChoiceCase>
{
};

TEST_P(ProgramChoiceTest, SelectsTheChosenProgram)
{
    const ProgramChoiceCase c = GetParam();
    ProgramMenu program(Bank({"Init", "Two", "# Bass", "Sub", "Growl", "# Leads", "Saw"}));
    program.rig.plug.events.clear();
    program.Open(&c.choice);
    EXPECT_EQ(program.rig.plug.GetCurrentPreset(), c.expected);
    EXPECT_EQ(program.rig.plug.OtherEvents(), Texts{"display"});
}

INSTANTIATE_TEST_SUITE_P(Choices, ProgramChoiceTest,
                         testing::Values(ProgramChoiceCase{{1}, 1}, ProgramChoiceCase{{2, 1}, 4},
                                         ProgramChoiceCase{{3, 0}, 6}, ProgramChoiceCase{{3, 121}, 127}));

TEST(ProgramMenu, ClosingWithoutAChoiceChangesNothing)
{
    ProgramMenu program(Bank({"Init", "Two"}));
    program.rig.plug.events.clear();
    program.Open();
    EXPECT_EQ(program.rig.plug.GetCurrentPreset(), 0);
    EXPECT_TRUE(program.rig.plug.events.empty());
}

TEST(ProgramMenu, MarksOnlyTheCurrentProgramOnEveryOpening)
{
    ProgramMenu program(Bank({"Init", "# Bass", "Sub", "Growl"}));
    const MenuGraphics::Choice growl{1, 1};
    program.Open(&growl);
    const MenuGraphics::Shown& shown = program.Open();
    EXPECT_EQ(shown.checked, (std::vector<bool>{false, false}));
    EXPECT_EQ(shown.checkedInSubmenus[1], (std::vector<int>{1}));
    const MenuGraphics::Choice init{0};
    program.Open(&init);
    const MenuGraphics::Shown& again = program.Open();
    EXPECT_EQ(again.checked, (std::vector<bool>{true, false}));
    EXPECT_TRUE(again.checkedInSubmenus[1].empty());
}

TEST(ProgramMenu, RightClickRenamesTheCurrentProgram)
{
    ProgramMenu program(Bank({"Init", "Two"}));
    program.Open();
    const MouseModifiers right = RightButton();
    program.menu->OnMouseDown(1, 1, &right);
    ASSERT_EQ(program.rig.graphics->textEntries.size(), 1u);
    EXPECT_EQ(program.rig.graphics->textEntries[0].text, "Init");
    program.rig.graphics->CommitTextEntry("Fat Init");
    EXPECT_STREQ(program.rig.plug.GetPreset(0)->name, "Fat Init");
    // The popup keeps the names it was built with.
    EXPECT_EQ(program.Open().items[0], "01: Init");
}

struct FilterChoiceCase
{
    int unit;
    int type;
    const char* expected;
};

class FilterMenuTest : public testing::TestWithParam<FilterChoiceCase>
{
};

TEST_P(FilterMenuTest, SendsTheTypeOverThirty)
{
    const FilterChoiceCase c = GetParam();
    ControlTestRig rig;
    const BitmapStrip strip = FieldStrip();
    rig.controller.filterType = 4;
    auto* menu =
        rig.Add(new IWzFilterUnitMenu(&rig.plug, &rig.controller, c.unit, 0, 0, nullptr, &strip, kFieldColour));
    rig.graphics->Choose({c.type});
    const MouseModifiers mods = LeftButton();
    menu->OnMouseDown(1, 1, &mods);
    const MenuGraphics::Shown& shown = rig.graphics->shown.back();
    EXPECT_EQ(shown.items.size(), 31u);
    EXPECT_TRUE(shown.checked[4]);
    EXPECT_EQ(rig.plug.events, Texts{c.expected});
}

INSTANTIATE_TEST_SUITE_P(Types, FilterMenuTest,
                         testing::Values(FilterChoiceCase{0, 30, "automate 27 1"},
                                         FilterChoiceCase{0, 0, "automate 27 0"},
                                         FilterChoiceCase{1, 15, "automate 28 0.5"}));

TEST(FilterMenu, AnotherUnitHasNoItems)
{
    ControlTestRig rig;
    const BitmapStrip strip = FieldStrip();
    auto* menu = rig.Add(new IWzFilterUnitMenu(&rig.plug, &rig.controller, 2, 0, 0, nullptr, &strip, kFieldColour));
    rig.graphics->Choose({0});
    const MouseModifiers mods = LeftButton();
    menu->OnMouseDown(1, 1, &mods);
    EXPECT_TRUE(rig.graphics->shown.back().items.empty());
    EXPECT_TRUE(rig.plug.events.empty());
}

struct ShapeChoiceCase
{
    MenuGraphics::Choice choice;
    int shape;
};

class ShapeMenuTest : public testing::TestWithParam<ShapeChoiceCase>
{
};

TEST_P(ShapeMenuTest, SendsTheShapeOverEighty)
{
    const ShapeChoiceCase c = GetParam();
    ControlTestRig rig;
    const BitmapStrip strip = FieldStrip();
    auto* menu = rig.Add(new IWzDistoPresetMenu(&rig.plug, &rig.controller, 10, nullptr, &strip, kFieldColour));
    EXPECT_EQ(menu->GetDrawRect().top, IWzDistoPresetMenu::kY);
    rig.graphics->Choose(c.choice);
    const MouseModifiers mods = LeftButton();
    menu->OnMouseDown(11, 100, &mods);
    char expected[64];
    std::snprintf(expected, sizeof expected, "automate 10 %g", c.shape / 80.0);
    EXPECT_EQ(rig.plug.events, Texts{expected});
}

INSTANTIATE_TEST_SUITE_P(Shapes, ShapeMenuTest,
                         testing::Values(ShapeChoiceCase{{0}, 0}, ShapeChoiceCase{{14}, 14},
                                         ShapeChoiceCase{{15, 0}, 15}, ShapeChoiceCase{{21, 22}, 80},
                                         ShapeChoiceCase{{19, 2}, 45}));

TEST(ShapeMenu, ListsTheCategoriesAndMarksTheCurrentShape)
{
    ControlTestRig rig;
    const BitmapStrip strip = FieldStrip();
    auto* menu = rig.Add(new IWzDistoPresetMenu(&rig.plug, &rig.controller, 10, nullptr, &strip, kFieldColour));
    const MouseModifiers mods = LeftButton();
    rig.controller.currentCurve = 3;
    menu->OnMouseDown(11, 100, &mods);
    const MenuGraphics::Shown& first = rig.graphics->shown.back();
    ASSERT_EQ(first.items.size(), 22u);
    EXPECT_EQ(first.items[0], FormatShapeLabel(0));
    EXPECT_EQ(first.items[15], "Fuzzy");
    EXPECT_EQ(first.items[21], "Producer's");
    EXPECT_EQ(first.submenuItems[21].back(), FormatShapeLabel(80));
    EXPECT_TRUE(first.checked[3]);

    rig.controller.currentCurve = 59;
    menu->OnMouseDown(11, 100, &mods);
    const MenuGraphics::Shown& second = rig.graphics->shown.back();
    EXPECT_FALSE(second.checked[3]);
    EXPECT_EQ(second.checkedInSubmenus[21], (std::vector<int>{1}));
    EXPECT_TRUE(rig.plug.events.empty());
}

TEST(DropDownMenu, FieldLabelsFollowTheProviders)
{
    ControlTestRig rig;
    const BitmapStrip strip = FieldStrip();
    auto* shapes = rig.Add(new IWzDistoPresetMenu(&rig.plug, &rig.controller, 10, nullptr, &strip, kFieldColour));
    auto* filter = rig.Add(new IWzFilterUnitMenu(&rig.plug, &rig.controller, 0, 0, 0, nullptr, &strip, kFieldColour));
    auto* programs = rig.Add(new IWzPresetMenu(&rig.plug, &rig.controller, 0, 40, nullptr, &strip, kFieldColour));
    rig.controller.currentCurve = 58;
    rig.graphics->Tick();
    EXPECT_STREQ(shapes->Label(), "59: Zivevo Zazarada");
    EXPECT_STREQ(filter->Label(), "LP");
    EXPECT_STREQ(programs->Label(), "01: Init");
    // The text field sits in the middle: (20 - 14) / 2 + 1 pixels in from top and bottom.
    EXPECT_EQ(programs->TextRect(), (Rect{0, 44, 200, 56}));
}
} // namespace
