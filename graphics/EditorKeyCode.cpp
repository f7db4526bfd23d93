#include "graphics/EditorKeyCode.h"

namespace
{
// Win32 virtual-key codes; digits and letters are their ASCII codes.
constexpr int32_t kVirtualKeySpace = 32;
constexpr int32_t kVirtualKeyLeft = 37;
constexpr int32_t kVirtualKeyUp = 38;
constexpr int32_t kVirtualKeyRight = 39;
constexpr int32_t kVirtualKeyDown = 40;

constexpr int32_t kKeySpace = 0;
constexpr int32_t kKeyUp = 1;
constexpr int32_t kKeyDown = 2;
constexpr int32_t kKeyLeft = 3;
constexpr int32_t kKeyRight = 4;
constexpr int32_t kFirstDigitCode = 5;
constexpr int32_t kFirstLetterCode = 15;
}

int32_t EditorKeyCodeFromVirtualKey(int32_t virtualKey)
{
    switch (virtualKey)
    {
    case kVirtualKeySpace:
        return kKeySpace;
    case kVirtualKeyUp:
        return kKeyUp;
    case kVirtualKeyDown:
        return kKeyDown;
    case kVirtualKeyLeft:
        return kKeyLeft;
    case kVirtualKeyRight:
        return kKeyRight;
    default:
        break;
    }
    if (virtualKey >= '0' && virtualKey <= '9')
        return kFirstDigitCode + (virtualKey - '0');
    if (virtualKey >= 'A' && virtualKey <= 'Z')
        return kFirstLetterCode + (virtualKey - 'A');
    return kNoEditorKeyCode;
}
