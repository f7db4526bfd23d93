#include "graphics/win32/IGraphicsWin.h"

#include "framework/IEffectBase.h"
#include "framework/win32/ModuleInstance.h"
#include "graphics/DirtyArea.h"
#include "graphics/IControl.h"
#include "graphics/PIX_IBitmap.h"

#include <commctrl.h>

#include <atomic>

namespace
{
constexpr int32_t kMainWindowClassGranularity = 128;
constexpr char kBackendName[] = "Windows GDI";
constexpr int kMillisecondsPerSecond = 1000;
// A tick's rectangles may overlap, and a region splits overlapping rectangles into more parts.
constexpr int kMostPaintedParts = 2 * DirtyArea::kMostRects;

// Process-wide: the class is registered while an editor window exists, and each new window's
// timer runs at the frame rate of the editor opened last.
std::atomic<int> gOpenWindows{0};
std::atomic<bool> gClassRegistered{false};
std::atomic<int> gFrameRate{25};

RECT ToRECT(const Rect& rect)
{
    return {rect.left, rect.top, rect.right, rect.bottom};
}

// The rectangles of the window's update region, read before BeginPaint validates it: a redraw
// tick's few rectangles are then drawn apart, not as the box around them. 0 when the region is
// empty or has more parts than that; the box is drawn then.
int UpdateRegionParts(HWND window, Rect (&parts)[kMostPaintedParts])
{
    struct
    {
        RGNDATAHEADER header;
        RECT rects[kMostPaintedParts];
    } data;
    HRGN region = CreateRectRgn(0, 0, 0, 0);
    if (!region)
        return 0;
    const bool read = GetUpdateRgn(window, region, FALSE) > NULLREGION &&
                      GetRegionData(region, sizeof data, reinterpret_cast<RGNDATA*>(&data)) != 0;
    DeleteObject(region);
    if (!read || data.header.nCount > kMostPaintedParts)
        return 0;
    for (DWORD i = 0; i < data.header.nCount; ++i)
        parts[i] = {data.rects[i].left, data.rects[i].top, data.rects[i].right, data.rects[i].bottom};
    return static_cast<int>(data.header.nCount);
}

void UnregisterClassWhenUnused(HINSTANCE module)
{
    if (gOpenWindows.load() == 0 && gClassRegistered.exchange(false))
        UnregisterClassA(IGraphicsWin::kWindowClassName, module);
}

// A host window the editor's size change carries along: a child that is no MDI child.
bool FollowsEditorSize(HWND window)
{
    return window && (GetWindowLongPtrA(window, GWL_STYLE) & WS_CHILD) &&
           !(GetWindowLongPtrA(window, GWL_EXSTYLE) & WS_EX_MDICHILD);
}

void GrowWindowBy(HWND window, int dw, int dh)
{
    RECT outer;
    GetWindowRect(window, &outer);
    SetWindowPos(window, nullptr, 0, 0, outer.right - outer.left + dw, outer.bottom - outer.top + dh,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}
}

IGraphicsWin::IGraphicsWin(IEffectBase* plug, int width, int height, int frameRate)
    : IGraphics(plug, width, height, frameRate), mModule(GetModuleInstance()),
      mMainWindowClass(kMainWindowClassGranularity)
{
}

IGraphicsWin::~IGraphicsWin()
{
    CloseEditorWindow();
    UnregisterClassWhenUnused(mModule);
}

void* IGraphicsWin::OpenEditorWindow(void* parentWindow)
{
    mParent = static_cast<HWND>(parentWindow);
    int x = 0;
    int y = 0;
    int width = GetWidth();
    int height = GetHeight();
    if (mWindow)
    {
        // Opened again while open: the window keeps its size and its place in its parent.
        RECT outer;
        GetWindowRect(mWindow, &outer);
        width = outer.right - outer.left;
        height = outer.bottom - outer.top;
        MapWindowPoints(HWND_DESKTOP, GetParent(mWindow), reinterpret_cast<POINT*>(&outer), 1);
        x = outer.left;
        y = outer.top;
        CloseEditorWindow();
    }

    if (!gClassRegistered.load())
    {
        WNDCLASSA windowClass{};
        windowClass.style = CS_DBLCLKS;
        windowClass.lpfnWndProc = &EditorWindowProc;
        windowClass.hInstance = mModule;
        windowClass.hCursor = LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW));
        windowClass.lpszClassName = kWindowClassName;
        if (!RegisterClassA(&windowClass))
            return nullptr;
        gClassRegistered.store(true);
    }

    gFrameRate.store(GetFrameRate() > 0 ? GetFrameRate() : 1);
    if (!CreateWindowExA(0, kWindowClassName, kWindowTitle, WS_CHILD | WS_VISIBLE, x, y, width, height, mParent,
                         nullptr, mModule, this) ||
        !mWindow)
    {
        UnregisterClassWhenUnused(mModule);
        return nullptr;
    }

    for (int i = 0; i < GetControlCount(); ++i)
        GetControl(i)->SetDirty(false);
    if (GetTooltipsEnabled() && !CreateTooltip())
        SetTooltipsEnabled(false);
    return mWindow;
}

void IGraphicsWin::CloseEditorWindow()
{
    if (!mWindow)
        return;
    // The window's destruction does the bookkeeping, also when the host destroys it first.
    DestroyWindow(mWindow);
    UnregisterClassWhenUnused(mModule);
}

void* IGraphicsWin::GetWindowHandle()
{
    return mWindow;
}

bool IGraphicsWin::IsWindowOpen()
{
    return mWindow != nullptr;
}

const char* IGraphicsWin::GetDrawingBackendName()
{
    return kBackendName;
}

LRESULT CALLBACK IGraphicsWin::EditorWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_CREATE)
    {
        auto* graphics = static_cast<IGraphicsWin*>(reinterpret_cast<CREATESTRUCTA*>(lParam)->lpCreateParams);
        SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(graphics));
        graphics->mWindow = window;
    }
    auto* graphics = reinterpret_cast<IGraphicsWin*>(GetWindowLongPtrA(window, GWLP_USERDATA));
    if (!graphics || graphics->mWindow != window)
        return DefWindowProcA(window, message, wParam, lParam);
    return graphics->HandleWindowMessage(message, wParam, lParam);
}

LRESULT IGraphicsWin::HandleWindowMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message)
    {
    case WM_CREATE:
        OnCreate();
        return 0;
    case WM_DESTROY:
        OnDestroyed();
        return 0;
    case WM_CLOSE:
        CloseEditorWindow();
        return 0;
    case WM_PAINT:
        OnPaint();
        return 0;
    case WM_CTLCOLOREDIT:
        if (mTextEntry && reinterpret_cast<HWND>(lParam) == mTextEntry)
            return ColourTextEntry(reinterpret_cast<HDC>(wParam));
        break;
    default:
        break;
    }

    // While the entry has the focus nothing is redrawn and input waits, except a press, which
    // cancels the entry, and a release, which ends the gesture of the press that opened it.
    if (mTextEntry && mEntryState == kEntryFocused)
    {
        if (message == WM_LBUTTONDOWN || message == WM_RBUTTONDOWN)
        {
            mEntryState = kEntryCancel;
            return 0;
        }
        if (message == WM_LBUTTONUP || message == WM_RBUTTONUP)
        {
            HandleMouseMessage(message, wParam, lParam);
            return 0;
        }
        const bool input = (message >= WM_MOUSEFIRST && message <= WM_MOUSELAST) ||
                           (message >= WM_KEYFIRST && message <= WM_KEYLAST) || message == WM_MOUSEHOVER ||
                           message == WM_MOUSELEAVE;
        if (message == WM_TIMER || input)
            return 0;
    }

    switch (message)
    {
    case WM_TIMER:
        if (wParam == kRedrawTimerId)
            OnTimerTick();
        return 0;
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
        return 0;
    default:
        break;
    }
    if (HandleMouseMessage(message, wParam, lParam) || HandleKeyMessage(message, wParam, lParam))
        return 0;
    return DefWindowProcA(mWindow, message, wParam, lParam);
}

void IGraphicsWin::OnCreate()
{
    ++gOpenWindows;
    SetTimer(mWindow, kRedrawTimerId, static_cast<UINT>(kMillisecondsPerSecond / gFrameRate.load()), nullptr);
    SetFocus(mWindow);
}

void IGraphicsWin::OnDestroyed()
{
    KillTimer(mWindow, kRedrawTimerId);
    if (mTextEntry)
        FinishTextEntry(false);
    if (mTooltipWindow)
        DestroyWindow(mTooltipWindow);
    mTooltipWindow = nullptr;
    mTooltipShown = false;
    mTooltipControl = kNoControl;
    ReleaseMouseCapture();
    SetWindowLongPtrA(mWindow, GWLP_USERDATA, 0);
    mWindow = nullptr;
    --gOpenWindows;
}

void IGraphicsWin::OnTimerTick()
{
    if (mTextEntry && mEntryState != kEntryIdle)
    {
        if (mEntryState == kEntryCancel || mEntryState == kEntryCommit)
            FinishTextEntry(mEntryState == kEntryCommit);
        else
            mEntryState = kEntryIdle;
        return;
    }
    DirtyArea dirty;
    if (!CollectTickArea(&dirty))
        return;
    // One paint then draws and copies each rectangle of the region apart.
    for (int i = 0; i < dirty.Count(); ++i)
    {
        const RECT invalid = ToRECT(dirty[i]);
        InvalidateRect(mWindow, &invalid, FALSE);
    }
    if (!mTextEntry)
    {
        UpdateWindow(mWindow);
        return;
    }
    // The open entry is not painted over.
    const RECT entry = ToRECT(mEditedControl->GetDrawRect());
    ValidateRect(mWindow, &entry);
    UpdateWindow(mWindow);
    mEntryState = kEntryRedrawn;
}

// One BeginPaint serves the whole message: it names the region and validates it, so an editor
// without controls or without a surface is not asked again, and every call to the window
// system a paint does not need is one a redraw tick does not pay for.
void IGraphicsWin::OnPaint()
{
    Rect parts[kMostPaintedParts];
    const int partCount = UpdateRegionParts(mWindow, parts);
    PAINTSTRUCT paint;
    mPaintContext = BeginPaint(mWindow, &paint);
    const RECT& update = paint.rcPaint;
    if (mPaintContext && update.right > update.left && update.bottom > update.top)
    {
        Rect invalid{update.left, update.top, update.right, update.bottom};
        if (partCount == 0)
            DrawDirty(&invalid);
        for (int i = 0; i < partCount; ++i)
            DrawDirty(&parts[i]);
    }
    mPaintContext = nullptr;
    EndPaint(mWindow, &paint);
}

bool IGraphicsWin::PaintRect(const Rect* rect)
{
    if (!mWindow || !rect)
        return false;
    PAINTSTRUCT paint;
    const bool painting = mPaintContext != nullptr;
    HDC window = painting ? mPaintContext : BeginPaint(mWindow, &paint);
    PIX_IBitmap* surface = GetDrawBitmap();
    HDC source = surface ? static_cast<HDC>(surface->GetDeviceContext()) : nullptr;
    if (window && source)
        BitBlt(window, rect->left, rect->top, rect->Width(), rect->Height(), source, rect->left, rect->top, SRCCOPY);
    if (!painting)
        EndPaint(mWindow, &paint);
    return true;
}

void IGraphicsWin::SetEditorSize(int width, int height)
{
    if (width == GetWidth() && height == GetHeight())
        return;
    const int dw = width - GetWidth();
    const int dh = height - GetHeight();
    IGraphics::SetEditorSize(width, height);
    if (!mWindow)
        return;
    GrowWindowBy(mWindow, dw, dh);
    const int api = GetPlug() ? GetPlug()->GetPluginApi() : IEffectBase::kPluginApiVst2;
    // VST3 hosts size their frame themselves.
    constexpr int kApiSizingItsOwnFrame = 3;
    if (api != IEffectBase::kPluginApiVst3 && api != kApiSizingItsOwnFrame)
    {
        HWND parent = GetParent(mWindow);
        if (FollowsEditorSize(mWindow) && parent)
        {
            GrowWindowBy(parent, dw, dh);
            HWND grandParent = GetParent(parent);
            if (FollowsEditorSize(parent) && grandParent)
                GrowWindowBy(grandParent, dw, dh);
        }
    }
    const RECT whole{0, 0, width, height};
    InvalidateRect(mWindow, &whole, FALSE);
}

bool IGraphicsWin::CreateTooltip()
{
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_BAR_CLASSES};
    if (!InitCommonControlsEx(&controls))
        return false;
    mTooltipWindow = CreateWindowExA(0, TOOLTIPS_CLASSA, nullptr, WS_POPUP | TTS_NOPREFIX | TTS_ALWAYSTIP,
                                     CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, mWindow, nullptr,
                                     mModule, nullptr);
    if (!mTooltipWindow)
        return false;
    SetWindowPos(mTooltipWindow, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    TOOLINFOA tool{};
    tool.cbSize = TTTOOLINFOA_V2_SIZE;
    tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
    tool.hwnd = mWindow;
    tool.uId = reinterpret_cast<UINT_PTR>(mWindow);
    if (!SendMessageA(mTooltipWindow, TTM_ADDTOOLA, 0, reinterpret_cast<LPARAM>(&tool)))
    {
        DestroyWindow(mTooltipWindow);
        mTooltipWindow = nullptr;
        return false;
    }
    return true;
}

void IGraphicsWin::SetTooltipText(const char* text)
{
    if (!mTooltipWindow)
        return;
    TOOLINFOA tool{};
    tool.cbSize = TTTOOLINFOA_V2_SIZE;
    tool.hwnd = mWindow;
    tool.uId = reinterpret_cast<UINT_PTR>(mWindow);
    tool.lpszText = const_cast<char*>(text);
    SendMessageA(mTooltipWindow, TTM_UPDATETIPTEXTA, 0, reinterpret_cast<LPARAM>(&tool));
}

void IGraphicsWin::HideTooltip()
{
    if (!mTooltipShown)
        return;
    SetTooltipText(nullptr);
    mTooltipShown = false;
}
