#include "graphics/IControl.h"
#include "graphics/EditorKeyCode.h"
#include "graphics/win32/IGraphicsWin.h"

namespace
{
constexpr int kWheelDeltaPerNotch = WHEEL_DELTA;
constexpr int kTooltipTextSize = 256;

MouseModifiers ModifiersFrom(WPARAM keys)
{
    MouseModifiers mods;
    mods.left = (keys & MK_LBUTTON) != 0;
    mods.right = (keys & MK_RBUTTON) != 0;
    mods.shift = (keys & MK_SHIFT) != 0;
    mods.control = (keys & MK_CONTROL) != 0;
    mods.alt = GetKeyState(VK_MENU) < 0;
    return mods;
}

// Positions are the signed 16-bit halves of the message's lParam.
int PositionX(LPARAM lParam)
{
    return static_cast<short>(LOWORD(lParam));
}

int PositionY(LPARAM lParam)
{
    return static_cast<short>(HIWORD(lParam));
}
}

bool IGraphicsWin::HandleMouseMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    const int x = PositionX(lParam);
    const int y = PositionY(lParam);
    MouseModifiers mods = ModifiersFrom(wParam);
    switch (message)
    {
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
        HideTooltip();
        if (mTextEntry)
        {
            mEntryState = mEntryState == kEntryFocused ? kEntryCancel : kEntryCommit;
            return true;
        }
        if (message == WM_LBUTTONDBLCLK)
        {
            if (HandleMouseDoubleClick(x, y, &mods))
                SetCapture(mWindow);
            return true;
        }
        SetFocus(mWindow);
        SetCapture(mWindow);
        HandleMouseDown(x, y, &mods);
        return true;
    case WM_LBUTTONUP:
    case WM_RBUTTONUP:
        ReleaseCapture();
        HandleMouseUp(x, y, &mods);
        return true;
    case WM_MOUSEMOVE:
        OnMouseMove(x, y, mods);
        return true;
    case WM_MOUSEHOVER:
        ShowHoveredTooltip();
        return true;
    case WM_MOUSELEAVE:
        HideTooltip();
        HandleMouseLeave();
        return true;
    case WM_MOUSEWHEEL:
    {
        if (mTextEntry)
        {
            mEntryState = kEntryCancel;
            return true;
        }
        // The wheel reports a screen position.
        RECT window;
        GetWindowRect(mWindow, &window);
        mods = ModifiersFrom(GET_KEYSTATE_WPARAM(wParam));
        const int notches = GET_WHEEL_DELTA_WPARAM(wParam) / kWheelDeltaPerNotch;
        HandleMouseWheel(x - window.left, y - window.top, &mods, notches);
        return true;
    }
    default:
        return false;
    }
}

void IGraphicsWin::OnMouseMove(int x, int y, const MouseModifiers& mods)
{
    if (mods.left || mods.right)
    {
        if (::GetCapture() == mWindow && !mTextEntry)
            HandleMouseDrag(x, y, &mods);
        return;
    }
    if (!HandleMouseOver(x, y, &mods))
        return;
    TRACKMOUSEEVENT track{sizeof track, TME_LEAVE, mWindow, HOVER_DEFAULT};
    if (GetTooltipsEnabled() && GetMouseOver() != mTooltipControl)
    {
        mTooltipControl = GetMouseOver();
        if (mTooltipControl != kNoControl)
            track.dwFlags |= TME_HOVER;
        HideTooltip();
    }
    TrackMouseEvent(&track);
}

void IGraphicsWin::ShowHoveredTooltip()
{
    char text[kTooltipTextSize] = "";
    if (const IControl* control = GetControl(mTooltipControl))
        control->GetTooltip(text, sizeof text);
    SetTooltipText(text);
    mTooltipShown = true;
}

bool IGraphicsWin::HandleKeyMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message != WM_KEYDOWN && message != WM_KEYUP)
        return false;
    HWND window = mWindow;
    if (message == WM_KEYDOWN)
    {
        const int32_t code = EditorKeyCodeFromVirtualKey(static_cast<int32_t>(wParam));
        if (code != kNoEditorKeyCode)
        {
            POINT cursor{};
            GetCursorPos(&cursor);
            ScreenToClient(window, &cursor);
            if (HandleKeyDown(cursor.x, cursor.y, code))
                return true;
        }
    }
    ForwardKeyToHost(message, wParam, lParam);
    DefWindowProcA(window, message, wParam, lParam);
    return true;
}

void IGraphicsWin::ForwardKeyToHost(UINT message, WPARAM wParam, LPARAM lParam)
{
    // An editor opened without a parent is its own top-level window: nothing to pass to.
    HWND root = GetAncestor(mWindow, GA_ROOT);
    if (root && root != mWindow)
        SendMessageA(root, message, wParam, lParam);
}
