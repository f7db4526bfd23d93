#include "graphics/PopupMenu.h"
#include "graphics/PopupMenuNumbering.h"
#include "graphics/win32/IGraphicsWin.h"

#include <vector>

namespace
{
constexpr int32_t kItemTextSize = 256;

UINT ItemFlags(int32_t flags)
{
    UINT native = MF_STRING;
    if (flags & PopupMenuItem::kGreyed)
        native |= MF_GRAYED;
    if (flags & PopupMenuItem::kDisabled)
        native |= MF_DISABLED;
    if (flags & PopupMenuItem::kChecked)
        native |= MF_CHECKED;
    return native;
}

// Builds the native menu of numbered menu `index` and, depth-first, its submenus; returns the
// menu and moves `index` past the subtree.
HMENU BuildNativeMenu(const PopupMenuNumbering& numbering, size_t& index)
{
    const PopupMenuNumbering::NumberedMenu& numbered = numbering.Menus()[index++];
    const PopupMenu& menu = *numbered.menu;
    HMENU native = CreatePopupMenu();
    char text[kItemTextSize];
    for (int32_t i = 0; i < menu.GetItemCount(); ++i)
    {
        const PopupMenuItem* item = menu.GetItem(i);
        if (item->flags & PopupMenuItem::kSeparator)
        {
            AppendMenuA(native, MF_SEPARATOR, 0, nullptr);
            continue;
        }
        menu.FormatItemText(i, text, sizeof text);
        if (item->submenu)
        {
            HMENU submenu = BuildNativeMenu(numbering, index);
            AppendMenuA(native, MF_POPUP | ItemFlags(item->flags), reinterpret_cast<UINT_PTR>(submenu), text);
        }
        else
        {
            AppendMenuA(native, ItemFlags(item->flags), static_cast<UINT_PTR>(numbered.firstId + i), text);
        }
    }
    return native;
}
}

PopupMenu* IGraphicsWin::RunPopupMenu(PopupMenu* menu, const Rect* rect)
{
    ReleaseMouseCapture();
    if (!menu || !rect || !mWindow)
        return nullptr;
    const PopupMenuNumbering numbering(*menu);
    size_t first = 0;
    HMENU native = BuildNativeMenu(numbering, first);

    POINT corner{rect->left, rect->bottom};
    ClientToScreen(mWindow, &corner);
    PopupMenu* chosen = nullptr;
    if (TrackPopupMenu(native, 0, corner.x, corner.y, 0, mWindow, nullptr))
    {
        MSG command;
        if (PeekMessageA(&command, mWindow, WM_COMMAND, WM_COMMAND, PM_REMOVE) && HIWORD(command.wParam) == 0)
        {
            int32_t index = -1;
            chosen = numbering.FindChosen(LOWORD(command.wParam), index);
            if (chosen)
                chosen->SetChosenItemIdx(index);
        }
    }
    DestroyMenu(native);
    if (mWindow)
    {
        const RECT whole{0, 0, GetWidth(), GetHeight()};
        InvalidateRect(mWindow, &whole, FALSE);
    }
    return chosen;
}
