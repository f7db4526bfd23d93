#include "editor/IWzPresetMenu.h"

#include "framework/IEffectBase.h"
#include "framework/PresetSlot.h"
#include "graphics/IGraphics.h"
#include "plugin/IEffectPresetProvider.h"

#include <cstdio>
#include <cstring>
#include <string>

namespace Wezmark
{
namespace
{
constexpr int32_t kLabelLimit = 42;

const char* PresetName(const IEffectBase& plug, int index)
{
    const PresetSlot* slot = plug.GetPreset(index);
    return slot ? slot->name : "";
}

bool IsHeader(const IEffectBase& plug, int index)
{
    return std::strchr(PresetName(plug, index), IWzPresetMenu::kGroupMark) != nullptr;
}

std::string NumberedName(const IEffectBase& plug, int index)
{
    char text[IWzPresetMenu::kNameLength + 16];
    std::snprintf(text, sizeof text, "%02d: %s", index + 1, PresetName(plug, index));
    return text;
}
}

IWzPresetMenu::IWzPresetMenu(IEffectBase* plug, IEffectPresetProvider* presets, int x, int y, const TextStyle* style,
                             const BitmapStrip* strip, ArgbColour textBackground)
    : IWzDropDownMenu(plug, x, y, style, strip, textBackground), mPresets(presets)
{
}

void IWzPresetMenu::OnMouseDown(int x, int y, const MouseModifiers* mods)
{
    IGraphics* graphics = mPlug ? mPlug->GetGraphics() : nullptr;
    if (mods && mods->right)
    {
        if (graphics)
            graphics->OpenTextEntry(this, &mTextStyle, &mDrawRect, PresetName(*mPlug, mPlug->GetCurrentPreset()),
                                    nullptr);
    }
    else
        OpenMenu(x, y, mods);
    MarkPendingRedraw();
    SetDirty(true);
}

void IWzPresetMenu::OnTextEntered(const char* text)
{
    if (!mPlug || !text)
        return;
    const std::string name = std::string(text).substr(0, kNameLength);
    mPlug->ModifyCurrentPreset(name.c_str());
    mPlug->UpdateHostDisplay();
    mPlug->NotifyHostOfAllParams();
    SetDirty(false);
}

// Without the provider the field keeps its last label.
bool IWzPresetMenu::Draw(IGraphics* graphics)
{
    if (mPresets)
        DrawField(graphics, mPresets->GetPresetDisplayName().c_str(), kLabelLimit);
    else
        DrawField(graphics, nullptr, kLabelLimit);
    return true;
}

// The programs before the first header stand at the top level; every header then gets the
// programs up to the next one. Headers themselves cannot be chosen.
void IWzPresetMenu::FillMenu()
{
    if (!mPlug)
        return;
    const int count = mPlug->GetPresetCount();
    int index = 0;
    for (; index < count && !IsHeader(*mPlug, index); ++index)
        mPopup.AddItem(NumberedName(*mPlug, index).c_str());
    while (index < count)
    {
        const int header = index++;
        PopupMenu* submenu = AddGroup(PresetName(*mPlug, header), header + 1, header + 1, 0);
        for (; index < count && !IsHeader(*mPlug, index); ++index)
        {
            if (submenu)
                submenu->AddItem(NumberedName(*mPlug, index).c_str());
        }
    }
}

void IWzPresetMenu::MarkCurrentItem()
{
    if (!mPlug)
        return;
    const int current = mPlug->GetCurrentPreset();
    const int topLevel = mPopup.GetItemCount() - static_cast<int>(mGroups.size());
    if (current < topLevel)
    {
        CheckItem(mPopup, current);
        return;
    }
    for (const Group& group : mGroups)
    {
        if (group.firstIndex <= current && current < group.firstIndex + group.submenu->GetItemCount())
        {
            CheckItem(*group.submenu, current - group.firstIndex);
            return;
        }
    }
}

void IWzPresetMenu::RunMenuAndApply()
{
    IGraphics* graphics = mPlug ? mPlug->GetGraphics() : nullptr;
    if (!graphics || !graphics->RunPopupMenu(&mPopup, &mDrawRect))
        return;
    int chosen = mPopup.GetChosenItemIdx();
    if (chosen < 0)
    {
        const Group* group = ChosenGroup();
        if (!group)
            return;
        chosen = group->firstIndex + group->submenu->GetChosenItemIdx();
    }
    mPlug->SelectPreset(chosen);
    mPlug->UpdateHostDisplay();
    mPlug->NotifyHostOfAllParams();
}
} // namespace Wezmark
