#include "graphics/PopupMenuNumbering.h"

#include "graphics/PopupMenu.h"

PopupMenuNumbering::PopupMenuNumbering(PopupMenu& root)
{
    int32_t counter = 0;
    Number(root, counter);
}

void PopupMenuNumbering::Number(PopupMenu& menu, int32_t& counter)
{
    mMenus.push_back({&menu, counter});
    counter += menu.GetItemCount();
    for (int32_t i = 0; i < menu.GetItemCount(); ++i)
    {
        PopupMenuItem* item = menu.GetItem(i);
        if (!(item->flags & PopupMenuItem::kSeparator) && item->submenu)
            Number(*item->submenu, counter);
    }
}

PopupMenu* PopupMenuNumbering::FindChosen(int32_t id, int32_t& index) const
{
    for (const NumberedMenu& numbered : mMenus)
    {
        if (id >= numbered.firstId && id < numbered.firstId + numbered.menu->GetItemCount())
        {
            index = id - numbered.firstId;
            return numbered.menu;
        }
    }
    return nullptr;
}
