#include "graphics/PopupMenu.h"

#include "framework/BoundedCopy.h"

#include <cstdio>

PopupMenuItem::PopupMenuItem(const char* itemText, int32_t itemFlags, PopupMenu* itemSubmenu)
    : submenu(itemSubmenu), flags(itemFlags)
{
    text.Set(itemText ? itemText : "");
}

PopupMenu::~PopupMenu()
{
    mItems.DeleteAll();
}

PopupMenuItem* PopupMenu::AddItem(PopupMenuItem* item, int32_t index)
{
    if (!item)
        return nullptr;
    if (!mItems.InsertAt(item, index))
    {
        delete item;
        return nullptr;
    }
    return item;
}

PopupMenuItem* PopupMenu::AddItem(const char* text, int32_t flags)
{
    return AddItem(new PopupMenuItem(text, flags));
}

void PopupMenu::FormatItemText(int32_t index, char* out, int32_t size) const
{
    if (!out || size <= 0)
        return;
    const PopupMenuItem* item = GetItem(index);
    const char* text = item ? item->text.Get() : "";
    const int position = index + 1;
    switch (mPrefixMode)
    {
    case kPrefixOneDigit:
        std::snprintf(out, static_cast<size_t>(size), "%1d: %s", position, text);
        break;
    case kPrefixTwoDigits:
        std::snprintf(out, static_cast<size_t>(size), "%02d: %s", position, text);
        break;
    case kPrefixThreeDigits:
        std::snprintf(out, static_cast<size_t>(size), "%03d: %s", position, text);
        break;
    default:
        BoundedCopy(out, text, static_cast<size_t>(size));
        break;
    }
}
