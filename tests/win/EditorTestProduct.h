#pragma once

#include <cstdint>

class IEffectBase;

// The small editor of the editor-window tests, built on the real framework for a product of
// either binding: the background, two knobs, a control that prompts for its value in a text
// entry, one that chooses its value from a popup menu with a submenu, and one that renames
// the program in a free-text entry. Its parameters are continuous, and its presets hold the
// defaults.
struct EditorTestProduct
{
    static constexpr int32_t kWidth = 650;
    static constexpr int32_t kHeight = 830;
    static constexpr int32_t kFrameRate = 25;

    static constexpr int32_t kBackgroundId = 10006;
    static constexpr int32_t kKnobId = 3023;
    static constexpr int32_t kKnobFrames = 128;

    static constexpr int32_t kKnobParam = 0;
    static constexpr int32_t kSecondKnobParam = 1;
    static constexpr int32_t kPromptParam = 2;
    static constexpr int32_t kMenuParam = 3;

    static constexpr int32_t kKnobX = 100;
    static constexpr int32_t kKnobY = 100;
    static constexpr int32_t kSecondKnobX = 300;
    static constexpr int32_t kSecondKnobY = 100;
    static constexpr char kKnobTooltip[] = "Input volume";
    // Left, top, right, bottom of the three prompting controls.
    static constexpr int32_t kPromptRect[4] = {100, 300, 200, 320};
    static constexpr int32_t kMenuRect[4] = {300, 300, 400, 320};
    static constexpr int32_t kNameRect[4] = {100, 400, 400, 420};
    // Longer than the 31 characters a short read would keep.
    static constexpr int32_t kNameEntryLength = 48;

    // The prompt parameter's range: an entered "42.5" is the normalised 0.425.
    static constexpr double kPromptMaximum = 100.0;
    // The menu control's value: a top-level item i gives i / 10, item j of the submenu 0.5 + j / 10.
    static constexpr double kMenuStep = 0.1;
    static constexpr double kSubmenuBase = 0.5;

    // Defines the parameters and presets, builds the editor and attaches it.
    static void Build(IEffectBase& plug);
};
