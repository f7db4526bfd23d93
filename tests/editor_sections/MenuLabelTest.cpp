// The label of a drop-down field on the real artwork: whole down to its descenders, clear of
// the field's arrow, for every choice a field can show.

#include "editor/IWzDistoPresetMenu.h"
#include "editor/IWzFilterUnitMenu.h"
#include "editor/IWzPresetMenu.h"
#include "graphics/ITextControl.h"
#include "graphics/PIX_CachedFont.h"
#include "graphics/TextFit.h"
#include "plugin/ParamIndex.h"
#include "tests/editor_sections/ControlInk.h"
#include "tests/editor_sections/SectionsRig.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <string>
#include <vector>

using Wezmark::IWzDropDownMenu;

namespace
{
constexpr int kShapeSteps = 80;
constexpr int kFilterTypeSteps = 30;

template <typename Menu>
IWzDropDownMenu* FindMenu(SectionsRig& rig, int skip)
{
    for (int i = 0; i < rig.graphics->GetControlCount(); ++i)
        if (auto* menu = dynamic_cast<Menu*>(rig.graphics->GetControl(i)); menu && skip-- == 0)
            return menu;
    return nullptr;
}

// The label's own pixels: the field drawn as it is, against the same field with its label
// drawn in a colour with nothing in it.
std::vector<int> LabelInk(IGraphics& graphics, IWzDropDownMenu* menu)
{
    const Rect& field = menu->GetDrawRect();
    const Ink shown = InkOf(graphics, menu, &field);
    TextStyle* style = menu->GetTextStyle();
    const ArgbColour colour = style->colour;
    style->colour.a = 0;
    const Ink plain = InkOf(graphics, menu, &field);
    style->colour = colour;
    EXPECT_EQ(plain.pixels, shown.pixels);
    std::vector<int> label;
    for (size_t i = 0; i < shown.pixels.size() && i < plain.pixels.size(); ++i)
        if (shown.colours[i] != plain.colours[i])
            label.push_back(shown.pixels[i]);
    return label;
}

// The same label drawn by a plain text with the same style, in a box as wide and far taller.
std::vector<int> UnclippedInk(SectionsRig& rig, IWzDropDownMenu* menu)
{
    const Rect& room = menu->LabelRect();
    TextStyle style = *menu->GetTextStyle();
    ITextControl probe(&rig.plugin(), Rect{room.left, room.top, room.right, room.top + 100}, &style, menu->Label());
    return InkOf(*rig.graphics, &probe).pixels;
}

struct MenuCase
{
    const char* name;
    std::function<IWzDropDownMenu*(SectionsRig&)> find;
    int choices;
    std::function<void(SectionsRig&, int)> choose;
};

const MenuCase kMenus[] = {
    {"program", [](SectionsRig& rig) { return FindMenu<Wezmark::IWzPresetMenu>(rig, 0); }, IEffectBase::kPresetCount,
     [](SectionsRig& rig, int i) { rig.plugin().SelectPreset(i); }},
    {"curve", [](SectionsRig& rig) { return FindMenu<Wezmark::IWzDistoPresetMenu>(rig, 0); }, kShapeSteps + 1,
     [](SectionsRig& rig, int i) { rig.rig.Set(kParamDistortionType, static_cast<double>(i) / kShapeSteps); }},
    {"filter 1 type", [](SectionsRig& rig) { return FindMenu<Wezmark::IWzFilterUnitMenu>(rig, 0); },
     kFilterTypeSteps + 1,
     [](SectionsRig& rig, int i) { rig.rig.Set(kParamFilter1Type, static_cast<double>(i) / kFilterTypeSteps); }},
    {"filter 2 type", [](SectionsRig& rig) { return FindMenu<Wezmark::IWzFilterUnitMenu>(rig, 1); },
     kFilterTypeSteps + 1,
     [](SectionsRig& rig, int i) { rig.rig.Set(kParamFilter2Type, static_cast<double>(i) / kFilterTypeSteps); }},
};

void ExpectWholeAndClearOfTheArrow(SectionsRig& rig, IWzDropDownMenu* menu, const std::string& what)
{
    const std::vector<int> label = LabelInk(*rig.graphics, menu);
    ASSERT_FALSE(label.empty()) << what;
    EXPECT_EQ(label, UnclippedInk(rig, menu)) << what << ": \"" << menu->Label() << "\" is cut off";
    const int width = rig.graphics->GetWidth();
    const int rightmost = *std::max_element(label.begin(), label.end(), [&](int a, int b) {
        return a % width < b % width;
    }) % width;
    EXPECT_LT(rightmost, menu->GetDrawRect().right - IWzDropDownMenu::kArrowRoom)
        << what << ": \"" << menu->Label() << "\" reaches the arrow";
}
}

TEST(MenuLabel, EveryChoiceShowsWholeAndClearOfTheArrow)
{
    SectionsRig rig;
    for (const MenuCase& c : kMenus)
    {
        IWzDropDownMenu* menu = c.find(rig);
        ASSERT_NE(menu, nullptr) << c.name;
        for (int i = 0; i < c.choices; ++i)
        {
            c.choose(rig, i);
            rig.graphics->Tick();
            ExpectWholeAndClearOfTheArrow(rig, menu, std::string(c.name) + " menu, choice " + std::to_string(i));
        }
    }
}

TEST(MenuLabel, ALongProgramNameEndsInAnEllipsisBeforeTheArrow)
{
    SectionsRig rig;
    rig.plugin().ModifyCurrentPreset("A fifty-character program name that runs on and on");
    rig.plugin().OnPresetChanged();
    rig.graphics->Tick();
    ExpectWholeAndClearOfTheArrow(rig, kMenus[0].find(rig), "long program name");
}

// What the fields show as the editor opens fits whole, without an ellipsis.
TEST(MenuLabel, TheFreshEditorsLabelsFitTheirFields)
{
    SectionsRig rig;
    for (const MenuCase& c : kMenus)
    {
        IWzDropDownMenu* menu = c.find(rig);
        ASSERT_NE(menu, nullptr) << c.name;
        LabelInk(*rig.graphics, menu);
        PIX_IFont* font = menu->GetTextStyle()->cachedFont;
        ASSERT_NE(font, nullptr) << c.name;
        std::string fitted;
        EXPECT_FALSE(TextFit::Shorten(font, menu->Label(), menu->LabelRect().Width(), 0, &fitted))
            << c.name << ": \"" << menu->Label() << "\" shows as \"" << fitted << "\"";
    }
}
