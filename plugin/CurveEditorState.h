#pragma once

#include "plugin/DisplayCurve.h"

#include <atomic>
#include <cstdint>

class IControl;

// What a transfer-curve editor control shares with the core: one drawn value per pixel column
// (-1 at the top, +1 at the bottom), which of its two display arrays it shows in front, and
// the flag that says the user has drawn since the last commit. The drawing may happen on the
// editor's thread while the audio thread commits it.
struct CurveEditorState
{
    // The columns start as a straight rising line.
    explicit CurveEditorState(int32_t columns);

    DisplayCurve columns;
    std::atomic<int32_t> displayMode{0};
    std::atomic<bool> drawn{false};
};

// The core's reference to one curve editor: the control to redraw and the state it shares.
struct CurveEditorLink
{
    IControl* control = nullptr;
    CurveEditorState* state = nullptr;
};
