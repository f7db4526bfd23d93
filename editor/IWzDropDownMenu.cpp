#include "editor/IWzDropDownMenu.h"

#include "framework/SharedConstants.h"
#include "graphics/IGraphics.h"
#include "graphics/RasterFillRect.h"
#include "graphics/RasterMode.h"
#include "graphics/RasterPixel.h"

#include <algorithm>
#include <cstdio>
#include <string>

namespace Wezmark
{
namespace
{
constexpr const char* kDefaultFace = "Arial";
constexpr int32_t kDefaultSize = 14;

TextStyle FieldStyle(const TextStyle* style)
{
    if (style)
        return *style;
    TextStyle fallback;
    fallback.SetFace(kDefaultFace);
    fallback.size = kDefaultSize;
    return fallback;
}

Rect FrameRect(int x, int y, const BitmapStrip* strip)
{
    return strip ? strip->FrameRectAt(x, y) : Rect{x, y, x, y};
}

void ClearMarks(PopupMenu& menu)
{
    menu.SetChosenItemIdx(-1);
    for (int32_t i = 0; i < menu.GetItemCount(); ++i)
        menu.GetItem(i)->flags &= ~PopupMenuItem::kChecked;
}
}

IWzDropDownMenu::IWzDropDownMenu(IEffectBase* plug, int x, int y, const TextStyle* style, const BitmapStrip* strip,
                                 ArgbColour textBackground)
    : IControl(plug, FrameRect(x, y, strip)), mBitmap(strip ? *strip : BitmapStrip{}), mTextBackground(textBackground)
{
    SetTextStyle(FieldStyle(style));
    SetTextEntryLength(kTextEntryLength);
    const int32_t margin = (mDrawRect.Height() - mTextStyle.size) / 2 + 1;
    mTextRect = {mDrawRect.left, mDrawRect.top + margin, mDrawRect.right, mDrawRect.bottom - margin};
    mLabelRect = {mDrawRect.left, mTextRect.top, std::max(mDrawRect.left, mDrawRect.right - kArrowRoom),
                  mDrawRect.bottom};
    mHighlightRect = {mDrawRect.left, mDrawRect.top, mDrawRect.right - 1, mDrawRect.bottom - 1};
}

void IWzDropDownMenu::OnMouseDown(int x, int y, const MouseModifiers* mods)
{
    OpenMenu(x, y, mods);
    MarkPendingRedraw();
    SetDirty(true);
}

void IWzDropDownMenu::OpenMenu(int, int, const MouseModifiers*)
{
    if (mPopup.GetItemCount() == 0)
        FillMenu();
    else
        ResetMarks();
    MarkCurrentItem();
    RunMenuAndApply();
}

void IWzDropDownMenu::OnMouseOver(int, int, const MouseModifiers*)
{
    mHover = true;
    MarkPendingRedraw();
    SetDirty(true);
}

void IWzDropDownMenu::OnMouseOut()
{
    mHover = false;
    MarkPendingRedraw();
    SetDirty(true);
}

PopupMenu* IWzDropDownMenu::AddGroup(const char* text, int32_t position, int32_t firstIndex, int32_t category)
{
    auto submenu = std::make_unique<PopupMenu>();
    if (!mPopup.AddItem(new PopupMenuItem(text, 0, submenu.get()), position))
        return nullptr;
    PopupMenu* added = submenu.get();
    mGroups.push_back({firstIndex, category, std::move(submenu)});
    return added;
}

void IWzDropDownMenu::ResetMarks()
{
    ClearMarks(mPopup);
    for (Group& group : mGroups)
        ClearMarks(*group.submenu);
}

const IWzDropDownMenu::Group* IWzDropDownMenu::ChosenGroup() const
{
    for (const Group& group : mGroups)
    {
        if (group.submenu->GetChosenItemIdx() >= 0)
            return &group;
    }
    return nullptr;
}

void IWzDropDownMenu::CheckItem(PopupMenu& menu, int32_t index)
{
    if (PopupMenuItem* item = menu.GetItem(index))
        item->flags |= PopupMenuItem::kChecked;
}

void IWzDropDownMenu::DrawBackground(IGraphics* graphics)
{
    graphics->DrawBitmap(&mBitmap, &mDrawRect, 0, 0, nullptr);
}

void IWzDropDownMenu::DrawField(IGraphics* graphics, const char* label, int32_t labelLimit)
{
    DrawBackground(graphics);
    if (label)
        mLabel.Set(std::string(label).substr(0, static_cast<size_t>(labelLimit)).c_str());
    const ArgbColour& b = mTextBackground;
    RasterFillRect(graphics->GetDrawBitmap(), mTextRect.left, mTextRect.top, mTextRect.Width(), mTextRect.Height(),
                   PixelWord(static_cast<uint32_t>(b.a), static_cast<uint32_t>(b.r), static_cast<uint32_t>(b.g),
                             static_cast<uint32_t>(b.b)),
                   1.0f, RasterModeSourceAlpha);
    if (mLabel.Get()[0] != '\0')
    {
        Rect labelRect = mLabelRect;
        graphics->DrawText(&mTextStyle, mLabel.Get(), &labelRect);
    }
    const BlendSpec fillBlend{BlendSpec::kCopySourceAlpha, kHighlightFillWeight};
    graphics->FillRect(&kHighlightFill, &mHighlightRect, &fillBlend);
    if (mHover)
    {
        const BlendSpec ownBlend = GetBlend();
        graphics->FillRect(&kHighlightFill, &mHighlightRect, &fillBlend);
        graphics->DrawRoundRect(&kHighlightOutline, &mHighlightRect, &ownBlend);
    }
}
} // namespace Wezmark
