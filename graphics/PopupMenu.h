#pragma once

#include "framework/PointerList.h"
#include "graphics/PopupMenuItem.h"

#include <cstdint>

// A popup menu as the window layer shows it: items with submenus and flags, how item texts
// are numbered, and the index chosen when the menu ran. The menu owns its items; it does
// not own their submenus.
class PopupMenu
{
public:
    // Item numbering: none, "%1d: %s", "%02d: %s" or "%03d: %s" with the 1-based position.
    static constexpr int32_t kPrefixNone = 0;
    static constexpr int32_t kPrefixOneDigit = 1;
    static constexpr int32_t kPrefixTwoDigits = 2;
    static constexpr int32_t kPrefixThreeDigits = 3;

    explicit PopupMenu(int32_t prefixMode = kPrefixNone) : mPrefixMode(prefixMode) {}
    ~PopupMenu();
    PopupMenu(const PopupMenu&) = delete;
    PopupMenu& operator=(const PopupMenu&) = delete;

    // Index -1 (or one at or past the end) appends; other indexes insert at max(index, 0).
    // The menu takes the item; returns it, or null (the item deleted) when the list cannot grow.
    PopupMenuItem* AddItem(PopupMenuItem* item, int32_t index = -1);
    // A plain text item appended with its flags.
    PopupMenuItem* AddItem(const char* text, int32_t flags = 0);

    int32_t GetItemCount() const { return mItems.Count(); }
    PopupMenuItem* GetItem(int32_t index) const { return mItems.Get(index); }
    int32_t GetPrefixMode() const { return mPrefixMode; }
    void SetPrefixMode(int32_t mode) { mPrefixMode = mode; }
    // -1 until a choice is made.
    int32_t GetChosenItemIdx() const { return mChosen; }
    void SetChosenItemIdx(int32_t index) { mChosen = index; }
    // The text shown for item `index`: its text with the prefix mode's numbering, cut to
    // `size` bytes with the terminator.
    void FormatItemText(int32_t index, char* out, int32_t size) const;

private:
    int32_t mPrefixMode;
    int32_t mChosen = -1;
    PointerList<PopupMenuItem> mItems;
};
