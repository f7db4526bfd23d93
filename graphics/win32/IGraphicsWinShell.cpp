#include "graphics/win32/IGraphicsWin.h"

#include <shellapi.h>
#include <shlobj.h>
#include <wininet.h>

#include <cstring>
#include <vector>

namespace
{
constexpr DWORD kModuleNameSize = 256;
// ShellExecute reports success with a value above 32.
constexpr INT_PTR kShellExecuteFailureLimit = 32;
}

void IGraphicsWin::GetModuleDir(HMODULE module, GrowString* dir)
{
    char name[kModuleNameSize] = "";
    const DWORD length = GetModuleFileNameA(module, name, kModuleNameSize);
    // A cut name would give a folder that is not the module's.
    if (length == 0 || length >= kModuleNameSize)
    {
        dir->Set("");
        return;
    }
    const char* lastBackslash = std::strrchr(name, '\\');
    if (!lastBackslash)
    {
        dir->Set("");
        return;
    }
    dir->SetAt(0, name, static_cast<int32_t>(lastBackslash - name + 1));
}

void IGraphicsWin::GetHostDir(GrowString* dir)
{
    if (dir)
        GetModuleDir(nullptr, dir);
}

void IGraphicsWin::GetPluginDir(GrowString* dir)
{
    if (dir)
        GetModuleDir(mModule, dir);
}

void IGraphicsWin::GetDesktopDir(GrowString* dir)
{
    if (!dir)
        return;
    char path[MAX_PATH] = "";
    dir->Set(SHGetSpecialFolderPathA(nullptr, path, CSIDL_DESKTOP, FALSE) ? path : "");
}

void IGraphicsWin::GetAppDataDir(GrowString* dir, bool common)
{
    if (!dir)
        return;
    char path[MAX_PATH] = "";
    const int folder = common ? CSIDL_COMMON_APPDATA : CSIDL_LOCAL_APPDATA;
    dir->Set(SUCCEEDED(SHGetFolderPathA(nullptr, folder, nullptr, 0, path)) ? path : "");
}

void IGraphicsWin::GetLocalAppDataDir(GrowString* dir)
{
    GetAppDataDir(dir, false);
}

bool IGraphicsWin::OpenUrl(const char* url, const char* title, const char* confirmation, const char* error)
{
    if (!url)
        return false;
    if (confirmation && MessageBoxA(mWindow, confirmation, title, MB_YESNO) != IDYES)
        return false;
    DWORD connection = 0;
    if (InternetGetConnectedState(&connection, 0))
    {
        const auto result = reinterpret_cast<INT_PTR>(
            ShellExecuteA(mWindow, "open", url, nullptr, nullptr, SW_SHOWNORMAL));
        if (result > kShellExecuteFailureLimit)
            return true;
    }
    if (error)
        MessageBoxA(mWindow, error, title, MB_OK);
    return false;
}

bool IGraphicsWin::GetClipboardText(GrowString* text)
{
    if (!text)
        return false;
    text->Set("");
    if (!IsClipboardFormatAvailable(CF_UNICODETEXT) || !OpenClipboard(mWindow))
        return false;
    bool converted = false;
    if (HANDLE data = GetClipboardData(CF_UNICODETEXT))
    {
        if (const auto* wide = static_cast<const wchar_t*>(GlobalLock(data)))
        {
            const int size = WideCharToMultiByte(CP_UTF8, 0, wide, -1, nullptr, 0, nullptr, nullptr);
            if (size > 0)
            {
                std::vector<char> utf8(static_cast<size_t>(size));
                WideCharToMultiByte(CP_UTF8, 0, wide, -1, utf8.data(), size, nullptr, nullptr);
                text->Set(utf8.data());
                converted = true;
            }
            GlobalUnlock(data);
        }
    }
    CloseClipboard();
    return converted;
}

void IGraphicsWin::HideCursor()
{
    if (mCursorHidden)
        return;
    POINT position{};
    GetCursorPos(&position);
    mSavedCursorX = position.x;
    mSavedCursorY = position.y;
    ShowCursor(FALSE);
    mCursorHidden = true;
}

void IGraphicsWin::RestoreCursor()
{
    if (!mCursorHidden)
        return;
    SetCursorPos(mSavedCursorX, mSavedCursorY);
    ShowCursor(TRUE);
    mCursorHidden = false;
}
