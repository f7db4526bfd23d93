#include "graphics/PopupMenu.h"
#include "graphics/PopupMenuNumbering.h"

#include <gtest/gtest.h>

namespace
{
// Top: a, [sub1], b, separator, [sub2]; sub1: c, [sub3], d; sub3: e; sub2: f, g.
struct MenuTree
{
    PopupMenu top, sub1, sub2, sub3;

    MenuTree()
    {
        top.AddItem("a");
        top.AddItem(new PopupMenuItem("sub1", 0, &sub1));
        top.AddItem("b");
        top.AddItem("", PopupMenuItem::kSeparator);
        top.AddItem(new PopupMenuItem("sub2", 0, &sub2));
        sub1.AddItem("c");
        sub1.AddItem(new PopupMenuItem("sub3", 0, &sub3));
        sub1.AddItem("d");
        sub3.AddItem("e");
        sub2.AddItem("f");
        sub2.AddItem("g");
    }
};

TEST(PopupMenuNumbering, NumbersTheTopMenuFirstThenSubmenusDepthFirst)
{
    MenuTree tree;
    const PopupMenuNumbering numbering(tree.top);
    ASSERT_EQ(numbering.Menus().size(), 4u);
    const PopupMenu* order[] = {&tree.top, &tree.sub1, &tree.sub3, &tree.sub2};
    const int32_t firstIds[] = {0, 5, 8, 9};
    for (size_t i = 0; i < 4; ++i)
    {
        EXPECT_EQ(numbering.Menus()[i].menu, order[i]);
        EXPECT_EQ(numbering.Menus()[i].firstId, firstIds[i]);
    }
}

TEST(PopupMenuNumbering, FindsTheMenuAndIndexOfAChosenId)
{
    MenuTree tree;
    const PopupMenuNumbering numbering(tree.top);
    struct Case
    {
        int32_t id;
        const PopupMenu* menu;
        int32_t index;
    };
    const Case cases[] = {
        {0, &tree.top, 0},  {2, &tree.top, 2},  {5, &tree.sub1, 0}, {7, &tree.sub1, 2},
        {8, &tree.sub3, 0}, {9, &tree.sub2, 0}, {10, &tree.sub2, 1},
    };
    for (const Case& c : cases)
    {
        int32_t index = -1;
        EXPECT_EQ(numbering.FindChosen(c.id, index), c.menu) << "id " << c.id;
        EXPECT_EQ(index, c.index) << "id " << c.id;
    }
    for (int32_t id : {-1, 11, 1000})
    {
        int32_t index = -1;
        EXPECT_EQ(numbering.FindChosen(id, index), nullptr) << "id " << id;
    }
}

TEST(PopupMenuNumbering, AFlatMenuAndAnEmptyMenu)
{
    PopupMenu flat;
    for (const char* text : {"x", "y", "z"})
        flat.AddItem(text);
    int32_t index = -1;
    EXPECT_EQ(PopupMenuNumbering(flat).FindChosen(2, index), &flat);
    EXPECT_EQ(index, 2);

    PopupMenu empty;
    const PopupMenuNumbering numbering(empty);
    EXPECT_EQ(numbering.Menus().size(), 1u);
    EXPECT_EQ(numbering.FindChosen(0, index), nullptr);
}
}
