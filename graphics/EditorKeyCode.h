#pragma once

#include <cstdint>

// The key codes the editor's controls understand: space 0, the arrows up, down, left, right
// 1 to 4, the digits 5 to 14 and the letters A to Z 15 to 40.
constexpr int32_t kNoEditorKeyCode = -1;

// The code of a Win32 virtual-key code, or kNoEditorKeyCode for a key no control is offered.
int32_t EditorKeyCodeFromVirtualKey(int32_t virtualKey);
