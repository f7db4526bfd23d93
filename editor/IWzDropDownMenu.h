#pragma once

#include "framework/GrowString.h"
#include "graphics/BitmapStrip.h"
#include "graphics/IControl.h"
#include "graphics/PopupMenu.h"

#include <cstdint>
#include <memory>
#include <vector>

namespace Wezmark
{
// A text field that shows the current choice and opens a popup menu on a click. The popup is
// built on first use and kept; before each later opening its choices and check marks are
// cleared and the current item is marked again. Hover draws a highlight over the field.
class IWzDropDownMenu : public IControl
{
public:
    static constexpr int32_t kTextEntryLength = 253;
    static constexpr ArgbColour kHighlightOutline{255, 150, 150, 150};
    static constexpr ArgbColour kHighlightFill{100, 175, 175, 175};
    static constexpr float kHighlightFillWeight = 0.2f;
    // The columns at the field's right that its artwork keeps for the drop-down arrow.
    static constexpr int32_t kArrowRoom = 10;

    // The rect is one frame of the strip at (x, y); without a style the field uses "Arial" 14.
    IWzDropDownMenu(IEffectBase* plug, int x, int y, const TextStyle* style, const BitmapStrip* strip,
                    ArgbColour textBackground);

    void OnMouseDown(int x, int y, const MouseModifiers* mods) override;
    void OnMouseOver(int x, int y, const MouseModifiers* mods) override;
    void OnMouseOut() override;

    // Fills the popup on first use (later openings clear the old marks), marks and runs it.
    virtual void OpenMenu(int x, int y, const MouseModifiers* mods);
    virtual void MarkCurrentItem() = 0;
    virtual void RunMenuAndApply() = 0;

    PopupMenu& Popup() { return mPopup; }
    const char* Label() const { return mLabel.Get(); }
    const Rect& TextRect() const { return mTextRect; }
    // Where the label may draw: from the text rect's top down to the field's bottom, so that
    // descenders are not cut off, and left of the arrow.
    const Rect& LabelRect() const { return mLabelRect; }

protected:
    // A submenu of the popup: the position of its first choice in the menu's own numbering,
    // and the category it lists.
    struct Group
    {
        int32_t firstIndex;
        int32_t category;
        std::unique_ptr<PopupMenu> submenu;
    };

    // The popup's items, on the first opening.
    virtual void FillMenu() = 0;
    // Adds a submenu item at `position` (past the end appends) and keeps its group.
    PopupMenu* AddGroup(const char* text, int32_t position, int32_t firstIndex, int32_t category);
    // Every menu's chosen index back to -1 and every check mark off.
    void ResetMarks();
    // The group whose submenu holds the choice, or null.
    const Group* ChosenGroup() const;
    void CheckItem(PopupMenu& menu, int32_t index);
    // Background, the label (cut to `labelLimit` characters) on its colour, and the highlight.
    void DrawField(IGraphics* graphics, const char* label, int32_t labelLimit);
    void DrawBackground(IGraphics* graphics);

    BitmapStrip mBitmap;
    GrowString mLabel;
    ArgbColour mTextBackground;
    Rect mTextRect;
    Rect mLabelRect;
    Rect mHighlightRect;
    bool mHover = false;
    PopupMenu mPopup;
    std::vector<Group> mGroups;
};
} // namespace Wezmark
