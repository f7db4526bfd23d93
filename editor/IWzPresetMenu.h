#pragma once

#include "editor/IWzDropDownMenu.h"

namespace Wezmark
{
class IEffectPresetProvider;

// The program list. A program whose name holds '#' heads a group: the programs after it, up
// to the next header, go into a submenu named after it. A right click renames the current
// program in place.
class IWzPresetMenu : public IWzDropDownMenu
{
public:
    static constexpr char kGroupMark = '#';
    static constexpr int kNameLength = 256;

    IWzPresetMenu(IEffectBase* plug, IEffectPresetProvider* presets, int x, int y, const TextStyle* style,
                  const BitmapStrip* strip, ArgbColour textBackground);

    void OnMouseDown(int x, int y, const MouseModifiers* mods) override;
    void OnTextEntered(const char* text) override;
    bool Draw(IGraphics* graphics) override;
    void MarkCurrentItem() override;
    void RunMenuAndApply() override;

protected:
    void FillMenu() override;

private:
    IEffectPresetProvider* mPresets;
};
} // namespace Wezmark
