#pragma once
// One step of a script played on the plug-in's editor as a user would: a mouse press, drag or
// release at editor coordinates, the choice of an item in the next popup menu that opens,
// typed text or a key, both going to the window that has the keyboard focus.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

struct EditorAction
{
    enum class Kind
    {
        Press,
        Drag,
        Release,
        // A press and release of the right button.
        RightClick,
        // Arms a choice for the next popup menu: an item of the menu, or a path of items
        // through submenus ("2.1": item 1 of the submenu at item 2).
        ChooseMenuItem,
        Type,
        Key,
        // Runs audio through the plug-in for a number of seconds while the editor shows it.
        PlayAudio,
        // Saves the screen around the next popup menu that opens, menu and editor, as a PNG.
        MenuScreenshot,
    };

    explicit EditorAction(Kind actionKind) : kind(actionKind) {}

    Kind kind;
    int32_t x = 0;
    int32_t y = 0;
    std::vector<int32_t> menuPath;
    std::string text;
    // A Win32 virtual-key code.
    int32_t key = 0;
    double seconds = 0.0;

    // "X,Y" for the mouse kinds, "N" or "N.M..." for a menu item, any text to type, and for
    // a key one of enter, escape, tab, space, up, down, left, right; seconds of audio to play
    // (up to a minute); a PNG path for a menu screenshot; nothing when wrong.
    static std::optional<EditorAction> Parse(Kind kind, const std::string& text);
};
