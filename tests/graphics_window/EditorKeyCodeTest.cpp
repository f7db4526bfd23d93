#include "graphics/EditorKeyCode.h"

#include <gtest/gtest.h>

namespace
{
struct KeyCase
{
    int32_t virtualKey;
    int32_t code;
};

TEST(EditorKeyCode, MapsTheKeysControlsAreOffered)
{
    const KeyCase cases[] = {
        {32, 0},  {38, 1},  {40, 2},  {37, 3},  {39, 4},  {'0', 5}, {'9', 14}, {'A', 15}, {'Z', 40},
        {'M', 27}, {'5', 10},
    };
    for (const KeyCase& c : cases)
        EXPECT_EQ(EditorKeyCodeFromVirtualKey(c.virtualKey), c.code) << "virtual key " << c.virtualKey;
}

TEST(EditorKeyCode, OtherKeysAreNotOffered)
{
    // Enter, Escape, Shift, the key before space, the edges around digits and letters,
    // lower-case letters (never virtual-key codes), the numeric keypad and F1.
    const int32_t others[] = {13, 27, 16, 31, 33, 36, 41, '0' - 1, '9' + 1, 'A' - 1, 'Z' + 1, 'a', 'z', 0x60, 0x70, -1};
    for (int32_t virtualKey : others)
        EXPECT_EQ(EditorKeyCodeFromVirtualKey(virtualKey), kNoEditorKeyCode) << "virtual key " << virtualKey;
}
}
