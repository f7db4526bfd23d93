#include "tools/vsthost/EditorWindow.h"

#include "tools/vsthost/EmbeddedEditor.h"
#include "tools/vsthost/PngFile.h"

#include <cstdio>
#include <string>

#include <windows.h>

namespace
{
constexpr char kHostClassName[] = "vsthostEditorHost";
constexpr char kHostTitle[] = "vsthost editor";
// The class of the system's popup-menu windows.
constexpr char kPopupMenuClass[] = "#32768";
// A popup without a caption, shown without activating it: Wine's X11 driver leaves such a window
// to itself, while hiding a window it hands to a window manager waits for that manager to
// answer, up to 2 s, and a headless run has none.
constexpr DWORD kHostStyle = WS_POPUP | WS_CLIPCHILDREN;

// The host's own timer watches for popup menus and bounds every wait.
constexpr UINT_PTR kHostTimerId = 1;
constexpr UINT kHostTimerMilliseconds = 20;
// An editor whose timer never ticks is given up on after this many host ticks per tick asked.
constexpr int32_t kHostTicksPerEditorTick = 10;
// A window-message coordinate carries 16 bits.
constexpr int32_t kCoordinateMask = 0xFFFF;

LPARAM PointParam(int32_t x, int32_t y)
{
    return static_cast<LPARAM>((static_cast<uint32_t>(y & kCoordinateMask) << 16) |
                               static_cast<uint32_t>(x & kCoordinateMask));
}

void PostKey(HWND window, WPARAM key)
{
    PostMessageA(window, WM_KEYDOWN, key, 1);
    PostMessageA(window, WM_KEYUP, key, 1);
}

// The host window's outer rectangle for an inside of this size.
RECT OuterRect(int32_t width, int32_t height)
{
    RECT outer{0, 0, width, height};
    AdjustWindowRect(&outer, kHostStyle, FALSE);
    return outer;
}

// The popup menu this thread shows, or null.
HWND FindPopupMenu()
{
    HWND menu = FindWindowA(kPopupMenuClass, nullptr);
    while (menu)
    {
        if (IsWindowVisible(menu) && GetWindowThreadProcessId(menu, nullptr) == GetCurrentThreadId())
            return menu;
        menu = FindWindowExA(nullptr, menu, kPopupMenuClass, nullptr);
    }
    return nullptr;
}

// The pixels of an area of a device context as 0xAARRGGBB words, rows top-down.
std::vector<uint32_t> CopyPixels(HDC source, const RECT& area)
{
    const int32_t width = area.right - area.left;
    const int32_t height = area.bottom - area.top;
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;

    HDC memoryContext = CreateCompatibleDC(source);
    void* bits = nullptr;
    HBITMAP bitmap = CreateDIBSection(source, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    std::vector<uint32_t> pixels;
    if (memoryContext && bitmap && bits)
    {
        HGDIOBJ previous = SelectObject(memoryContext, bitmap);
        if (BitBlt(memoryContext, 0, 0, width, height, source, area.left, area.top, SRCCOPY))
        {
            GdiFlush();
            const auto* words = static_cast<const uint32_t*>(bits);
            pixels.assign(words, words + static_cast<size_t>(width) * static_cast<size_t>(height));
            // The screen has no alpha: what it shows is opaque.
            for (uint32_t& pixel : pixels)
                pixel |= 0xFF000000u;
        }
        SelectObject(memoryContext, previous);
    }
    if (bitmap)
        DeleteObject(bitmap);
    if (memoryContext)
        DeleteDC(memoryContext);
    return pixels;
}

// Saves the screen where the editor and an open menu are, as a user sees both.
void SaveMenuScreenshot(HWND editor, HWND menu, const std::string& path)
{
    RECT editorRect{};
    RECT menuRect{};
    GetWindowRect(editor, &editorRect);
    GetWindowRect(menu, &menuRect);
    RECT both{};
    UnionRect(&both, &editorRect, &menuRect);
    const RECT screen{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
    RECT area{};
    if (!IntersectRect(&area, &both, &screen))
        return;
    UpdateWindow(menu);
    HDC screenContext = GetDC(nullptr);
    const std::vector<uint32_t> pixels = CopyPixels(screenContext, area);
    ReleaseDC(nullptr, screenContext);
    std::string error;
    if (!pixels.empty() && PngFile::Write(path, pixels, area.right - area.left, area.bottom - area.top, error))
        std::printf("menu screenshot: %s\n", path.c_str());
    else
        std::printf("menu screenshot: not saved %s\n", error.c_str());
}
}

struct EditorWindow::Native
{
    HWND host = nullptr;
    HWND editor = nullptr;
    bool classRegistered = false;
    // The item path the next popup menu gets; a menu nobody asked for is dismissed.
    std::vector<int32_t> armedMenuPath;
    // Where the next popup menu's screenshot goes; empty for none.
    std::string armedMenuScreenshot;
    int32_t hostTicks = 0;

    static LRESULT CALLBACK HostProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
    {
        auto* native = reinterpret_cast<Native*>(GetWindowLongPtrA(window, GWLP_USERDATA));
        if (message == WM_TIMER && wParam == kHostTimerId && native)
        {
            ++native->hostTicks;
            native->AnswerPopupMenu();
            return 0;
        }
        // The script decides when the window goes.
        if (message == WM_CLOSE)
            return 0;
        return DefWindowProcA(window, message, wParam, lParam);
    }

    // Menus run a modal loop of their own, which still dispatches this host's timer.
    void AnswerPopupMenu()
    {
        HWND menu = FindPopupMenu();
        if (!menu)
            return;
        if (!armedMenuScreenshot.empty())
        {
            SaveMenuScreenshot(editor, menu, armedMenuScreenshot);
            armedMenuScreenshot.clear();
        }
        if (armedMenuPath.empty())
        {
            PostKey(menu, VK_ESCAPE);
            return;
        }
        // The first arrow press highlights the first item; the right arrow opens a submenu
        // with its first item highlighted.
        for (size_t level = 0; level < armedMenuPath.size(); ++level)
        {
            if (level == 0)
                PostKey(menu, VK_DOWN);
            else
                PostKey(menu, VK_RIGHT);
            for (int32_t i = 0; i < armedMenuPath[level]; ++i)
                PostKey(menu, VK_DOWN);
        }
        PostKey(menu, VK_RETURN);
        armedMenuPath.clear();
    }

    // Dispatches one message; false when the queue was closed.
    bool PumpOne(int32_t& editorTicks)
    {
        MSG message;
        if (GetMessageA(&message, nullptr, 0, 0) <= 0)
            return false;
        if (message.message == WM_TIMER && message.hwnd && message.hwnd != host && IsChild(host, message.hwnd))
            ++editorTicks;
        TranslateMessage(&message);
        DispatchMessageA(&message);
        return true;
    }
};

EditorWindow::EditorWindow(EmbeddedEditor& editor) : editor_(editor), native_(std::make_unique<Native>())
{
    if (!editor_.Size(width_, height_, error_))
        return;

    WNDCLASSA windowClass{};
    windowClass.lpfnWndProc = &Native::HostProc;
    windowClass.hInstance = GetModuleHandleA(nullptr);
    windowClass.hCursor = LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW));
    windowClass.lpszClassName = kHostClassName;
    native_->classRegistered = RegisterClassA(&windowClass) != 0;

    const RECT outer = OuterRect(width_, height_);
    native_->host = CreateWindowExA(0, kHostClassName, kHostTitle, kHostStyle, 0, 0, outer.right - outer.left,
                                    outer.bottom - outer.top, nullptr, nullptr, windowClass.hInstance, nullptr);
    if (!native_->host)
    {
        error_ = "cannot create the host window (error " + std::to_string(GetLastError()) + ")";
        return;
    }
    SetWindowLongPtrA(native_->host, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(native_.get()));
    ShowWindow(native_->host, SW_SHOWNOACTIVATE);
    UpdateWindow(native_->host);
    SetTimer(native_->host, kHostTimerId, kHostTimerMilliseconds, nullptr);

    if (!editor_.Open(*this, error_))
        return;
    native_->editor = GetWindow(native_->host, GW_CHILD);
    if (!native_->editor)
        error_ = "the plug-in opened no editor window";
}

EditorWindow::~EditorWindow()
{
    if (native_->editor)
        editor_.Close();
    if (native_->host)
    {
        KillTimer(native_->host, kHostTimerId);
        DestroyWindow(native_->host);
    }
    if (native_->classRegistered)
        UnregisterClassA(kHostClassName, GetModuleHandleA(nullptr));
}

bool EditorWindow::IsOpen() const
{
    return native_->editor && IsWindow(native_->editor);
}

void* EditorWindow::HostHandle() const
{
    return native_->host;
}

void* EditorWindow::EditorHandle() const
{
    return native_->editor;
}

void EditorWindow::CloseEditor()
{
    if (!native_->editor)
        return;
    editor_.Close();
    native_->editor = nullptr;
}

void EditorWindow::Resize(int32_t width, int32_t height)
{
    if (!native_->host)
        return;
    width_ = width;
    height_ = height;
    const RECT outer = OuterRect(width_, height_);
    SetWindowPos(native_->host, nullptr, 0, 0, outer.right - outer.left, outer.bottom - outer.top,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void EditorWindow::WaitForTicks(int32_t ticks)
{
    int32_t editorTicks = 0;
    const int32_t hostTickLimit = native_->hostTicks + ticks * kHostTicksPerEditorTick;
    while (editorTicks < ticks && native_->hostTicks < hostTickLimit && native_->PumpOne(editorTicks))
    {
    }
}

void EditorWindow::StopHostTimer()
{
    if (native_->host)
        KillTimer(native_->host, kHostTimerId);
}

void EditorWindow::Play(const EditorAction& action)
{
    if (!IsOpen())
        return;
    const LPARAM point = PointParam(action.x, action.y);
    switch (action.kind)
    {
    case EditorAction::Kind::Press:
        // A hand comes to rest over a control before it presses.
        SendMessageA(native_->editor, WM_MOUSEMOVE, 0, point);
        SendMessageA(native_->editor, WM_LBUTTONDOWN, MK_LBUTTON, point);
        break;
    case EditorAction::Kind::Drag:
        SendMessageA(native_->editor, WM_MOUSEMOVE, MK_LBUTTON, point);
        break;
    case EditorAction::Kind::Release:
        SendMessageA(native_->editor, WM_LBUTTONUP, 0, point);
        break;
    case EditorAction::Kind::RightClick:
        SendMessageA(native_->editor, WM_MOUSEMOVE, 0, point);
        SendMessageA(native_->editor, WM_RBUTTONDOWN, MK_RBUTTON, point);
        SendMessageA(native_->editor, WM_RBUTTONUP, 0, point);
        break;
    case EditorAction::Kind::ChooseMenuItem:
        native_->armedMenuPath = action.menuPath;
        break;
    case EditorAction::Kind::Type:
        for (unsigned char character : action.text)
            SendMessageA(GetFocus(), WM_CHAR, character, 1);
        break;
    case EditorAction::Kind::Key:
        SendMessageA(GetFocus(), WM_KEYDOWN, static_cast<WPARAM>(action.key), 1);
        SendMessageA(GetFocus(), WM_KEYUP, static_cast<WPARAM>(action.key), 1);
        break;
    case EditorAction::Kind::MenuScreenshot:
        native_->armedMenuScreenshot = action.text;
        break;
    case EditorAction::Kind::PlayAudio:
        // The window mode runs the audio: the window only shows it.
        break;
    }
}

std::vector<uint32_t> EditorWindow::CapturePixels() const
{
    if (!IsOpen() || width_ <= 0 || height_ <= 0)
        return {};
    UpdateWindow(native_->editor);
    HDC windowContext = GetDC(native_->editor);
    std::vector<uint32_t> pixels = CopyPixels(windowContext, RECT{0, 0, width_, height_});
    ReleaseDC(native_->editor, windowContext);
    return pixels;
}
