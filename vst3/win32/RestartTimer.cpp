#include "vst3/RestartTimer.h"

#include <windows.h>

#include <mutex>

namespace
{
constexpr char kWindowClassName[] = "ZarvotoneRestartTimer";
constexpr UINT_PTR kTimerId = 1;

// The class lives while one of these windows exists; a module that unloads leaves none behind.
std::mutex gClassMutex;
int gWindowCount = 0;

LRESULT CALLBACK TimerWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_TIMER && wParam == kTimerId)
    {
        if (const auto* onTick = reinterpret_cast<const std::function<void()>*>(
                GetWindowLongPtrA(window, GWLP_USERDATA)))
            (*onTick)();
        return 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

// The module this code is in, which owns the window class.
HINSTANCE ThisModule()
{
    HMODULE module = nullptr;
    GetModuleHandleExA(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                       reinterpret_cast<LPCSTR>(&TimerWindowProc), &module);
    return module;
}

bool UseClass(HINSTANCE module)
{
    std::lock_guard<std::mutex> lock(gClassMutex);
    if (gWindowCount == 0)
    {
        WNDCLASSA windowClass{};
        windowClass.lpfnWndProc = &TimerWindowProc;
        windowClass.hInstance = module;
        windowClass.lpszClassName = kWindowClassName;
        if (!RegisterClassA(&windowClass))
            return false;
    }
    ++gWindowCount;
    return true;
}

void LeaveClass(HINSTANCE module)
{
    std::lock_guard<std::mutex> lock(gClassMutex);
    if (--gWindowCount == 0)
        UnregisterClassA(kWindowClassName, module);
}
}

// A message-only window of the thread that starts the timer: its timer messages arrive through
// that thread's message loop.
struct RestartTimer::Platform
{
    HINSTANCE module = nullptr;
    HWND window = nullptr;
};

RestartTimer::Platform* RestartTimer::StartPlatform(const std::function<void()>* onTick, Vst3::FUnknown*,
                                                   Vst3::FUnknown*)
{
    const HINSTANCE module = ThisModule();
    if (!UseClass(module))
        return nullptr;
    const HWND window =
        CreateWindowExA(0, kWindowClassName, "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, module, nullptr);
    if (!window)
    {
        LeaveClass(module);
        return nullptr;
    }
    SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(onTick));
    if (!SetTimer(window, kTimerId, kIntervalMilliseconds, nullptr))
    {
        DestroyWindow(window);
        LeaveClass(module);
        return nullptr;
    }
    return new Platform{module, window};
}

void RestartTimer::StopPlatform(Platform* platform)
{
    KillTimer(platform->window, kTimerId);
    DestroyWindow(platform->window);
    LeaveClass(platform->module);
    delete platform;
}
