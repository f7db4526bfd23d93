#pragma once

#include "graphics/IControl.h"

// Controls of the editor-window test product. Each draws as a flat rectangle of one colour.

// Left press: opens the framework's value prompt, a text entry for a continuous parameter.
class TextPromptControl : public IControl
{
public:
    TextPromptControl(IEffectBase* plug, const Rect& rect, int paramIndex);
    void OnMouseDown(int x, int y, const MouseModifiers* mods) override;
    bool Draw(IGraphics* graphics) override;
};

// Left press: runs a popup menu with a submenu and takes the chosen item as its value.
class MenuPromptControl : public IControl
{
public:
    MenuPromptControl(IEffectBase* plug, const Rect& rect, int paramIndex);
    void OnMouseDown(int x, int y, const MouseModifiers* mods) override;
    bool Draw(IGraphics* graphics) override;
};

// Left press: a free-text entry whose text renames the current program.
class ProgramNameControl : public IControl
{
public:
    ProgramNameControl(IEffectBase* plug, const Rect& rect, int entryLength);
    void OnMouseDown(int x, int y, const MouseModifiers* mods) override;
    void OnTextEntered(const char* text) override;
    bool Draw(IGraphics* graphics) override;
};
