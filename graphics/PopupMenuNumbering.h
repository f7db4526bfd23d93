#pragma once

#include <cstdint>
#include <vector>

class PopupMenu;

// The command ids a native popup menu gives a menu tree: the top menu's items take 0 to n - 1,
// then each submenu, depth-first in item order, continues the count with its own items (an
// item's id is its menu's first id plus its index, separators and submenu items included).
class PopupMenuNumbering
{
public:
    struct NumberedMenu
    {
        PopupMenu* menu;
        int32_t firstId;
    };

    explicit PopupMenuNumbering(PopupMenu& root);

    // Every menu of the tree in the order its ids were given, the root first.
    const std::vector<NumberedMenu>& Menus() const { return mMenus; }

    // The menu holding the item with this id, with the item's index there; null when no item
    // has it.
    PopupMenu* FindChosen(int32_t id, int32_t& index) const;

private:
    void Number(PopupMenu& menu, int32_t& counter);

    std::vector<NumberedMenu> mMenus;
};
