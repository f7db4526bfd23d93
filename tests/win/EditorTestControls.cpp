#include "tests/win/EditorTestControls.h"

#include "framework/IEffectBase.h"
#include "graphics/IGraphics.h"
#include "graphics/PopupMenu.h"
#include "tests/win/EditorTestEffect.h"

namespace
{
constexpr ArgbColour kPromptColour{255, 200, 60, 40};
constexpr ArgbColour kMenuColour{255, 40, 160, 200};
constexpr ArgbColour kNameColour{255, 90, 200, 90};

bool DrawFlat(IGraphics* graphics, const ArgbColour& colour, const Rect& rect)
{
    BlendSpec copy{BlendSpec::kCopy, 1.0f};
    return graphics->FillRect(&colour, &rect, &copy);
}
}

TextPromptControl::TextPromptControl(IEffectBase* plug, const Rect& rect, int paramIndex)
    : IControl(plug, rect, paramIndex)
{
    SetPromptDisabled(false);
}

void TextPromptControl::OnMouseDown(int, int, const MouseModifiers*)
{
    PromptForValue();
}

bool TextPromptControl::Draw(IGraphics* graphics)
{
    return DrawFlat(graphics, kPromptColour, mDrawRect);
}

MenuPromptControl::MenuPromptControl(IEffectBase* plug, const Rect& rect, int paramIndex)
    : IControl(plug, rect, paramIndex)
{
}

void MenuPromptControl::OnMouseDown(int, int, const MouseModifiers*)
{
    // Top: Alpha, Beta, Sub (Gamma, Delta), separator, Epsilon.
    PopupMenu submenu;
    submenu.AddItem("Gamma");
    submenu.AddItem("Delta");
    PopupMenu menu(PopupMenu::kPrefixTwoDigits);
    menu.AddItem("Alpha");
    menu.AddItem("Beta");
    menu.AddItem(new PopupMenuItem("Sub", 0, &submenu));
    menu.AddItem("", PopupMenuItem::kSeparator);
    menu.AddItem("Epsilon");
    const PopupMenu* chosen = mPlug->GetGraphics()->RunPopupMenu(&menu, &mDrawRect);
    if (!chosen)
        return;
    const double base = chosen == &submenu ? EditorTestEffect::kSubmenuBase : 0.0;
    SetValueFromUserInput(base + chosen->GetChosenItemIdx() * EditorTestEffect::kMenuStep);
}

bool MenuPromptControl::Draw(IGraphics* graphics)
{
    return DrawFlat(graphics, kMenuColour, mDrawRect);
}

ProgramNameControl::ProgramNameControl(IEffectBase* plug, const Rect& rect, int entryLength) : IControl(plug, rect)
{
    SetTextEntryLength(entryLength);
}

void ProgramNameControl::OnMouseDown(int, int, const MouseModifiers*)
{
    mPlug->GetGraphics()->OpenTextEntry(this, GetTextStyle(), &mDrawRect, "", nullptr);
}

void ProgramNameControl::OnTextEntered(const char* text)
{
    mPlug->ModifyCurrentPreset(text);
}

bool ProgramNameControl::Draw(IGraphics* graphics)
{
    return DrawFlat(graphics, kNameColour, mDrawRect);
}
