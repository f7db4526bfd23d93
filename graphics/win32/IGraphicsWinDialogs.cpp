#include "graphics/FileDialogFilter.h"
#include "graphics/FileDialogPaths.h"
#include "graphics/win32/IGraphicsWin.h"

#include <commdlg.h>

#include <cstring>

static_assert(sizeof(OPENFILENAMEA) == 152);
static_assert(sizeof(CHOOSECOLORA) == 72);

namespace
{
constexpr int kSaveAction = 1;
constexpr int kCustomColourCount = 16;
constexpr int kClassNameSize = 128;

struct MainWindowSearch
{
    DWORD processId;
    const char* className;
    HWND found;
};

BOOL CALLBACK MatchMainWindow(HWND window, LPARAM data)
{
    auto* search = reinterpret_cast<MainWindowSearch*>(data);
    DWORD processId = 0;
    GetWindowThreadProcessId(window, &processId);
    char className[kClassNameSize] = "";
    if (processId != search->processId || !GetClassNameA(window, className, sizeof className) ||
        std::strcmp(className, search->className) != 0)
        return TRUE;
    search->found = window;
    return FALSE;
}
}

void IGraphicsWin::PromptForFileName(GrowString* path, int action, GrowString* folder, const char* extensions)
{
    if (!path || !folder)
        return;
    if (!mWindow)
    {
        path->Set("");
        return;
    }
    if (folder->Get()[0] == '\0')
        GetDesktopDir(folder);
    FileDialogPaths buffers(path->Get(), folder->Get());
    const FileDialogFilter filter(extensions);

    OPENFILENAMEA dialog{};
    dialog.lStructSize = sizeof dialog;
    dialog.hwndOwner = mWindow;
    dialog.lpstrFilter = filter.Filter();
    dialog.lpstrFile = buffers.File();
    dialog.nMaxFile = FileDialogPaths::kBufferSize - 1;
    dialog.lpstrInitialDir = buffers.Folder()[0] != '\0' ? buffers.Folder() : nullptr;
    dialog.lpstrDefExt = filter.DefaultExtension()[0] != '\0' ? filter.DefaultExtension() : nullptr;
    BOOL chosen;
    if (action == kSaveAction)
    {
        dialog.Flags = OFN_PATHMUSTEXIST | OFN_OVERWRITEPROMPT;
        chosen = GetSaveFileNameA(&dialog);
    }
    else
    {
        dialog.Flags = OFN_PATHMUSTEXIST | OFN_FILEMUSTEXIST;
        chosen = GetOpenFileNameA(&dialog);
    }
    if (!chosen)
    {
        path->Set("");
        return;
    }
    const char* file = buffers.File();
    folder->SetAt(0, file, static_cast<int32_t>(FileDialogPaths::FolderLength(file)));
    path->Set(file);
}

UINT_PTR CALLBACK IGraphicsWin::ColourDialogHook(HWND dialog, UINT message, WPARAM, LPARAM lParam)
{
    if (message == WM_INITDIALOG)
    {
        const auto* chooser = reinterpret_cast<const CHOOSECOLORA*>(lParam);
        if (const auto* title = reinterpret_cast<const char*>(chooser->lCustData))
            SetWindowTextA(dialog, title);
    }
    return 0;
}

bool IGraphicsWin::PromptForColour(ArgbColour* colour, const char* title)
{
    if (!mWindow || !colour)
        return false;
    if (!mCustomColours)
        mCustomColours = std::make_unique<COLORREF[]>(kCustomColourCount);
    CHOOSECOLORA chooser{};
    chooser.lStructSize = sizeof chooser;
    chooser.hwndOwner = mWindow;
    chooser.rgbResult = RGB(colour->r, colour->g, colour->b);
    chooser.lpCustColors = mCustomColours.get();
    chooser.Flags = CC_RGBINIT | CC_FULLOPEN | CC_SOLIDCOLOR | CC_ENABLEHOOK | CC_ANYCOLOR;
    chooser.lCustData = reinterpret_cast<LPARAM>(title);
    chooser.lpfnHook = &ColourDialogHook;
    if (!ChooseColorA(&chooser))
        return false;
    colour->r = GetRValue(chooser.rgbResult);
    colour->g = GetGValue(chooser.rgbResult);
    colour->b = GetBValue(chooser.rgbResult);
    return true;
}

int IGraphicsWin::ShowMessageBox(const char* text, const char* caption, int type)
{
    return MessageBoxA(FindMainWindow(), text, caption, static_cast<UINT>(type));
}

HWND IGraphicsWin::FindMainWindow()
{
    // A main window found before may have gone with its host window.
    if (mMainWindow && IsWindow(mMainWindow))
        return mMainWindow;
    mMainWindow = nullptr;
    if (mParent && IsWindow(mParent))
    {
        HWND top = mParent;
        while (HWND parent = GetParent(top))
            top = parent;
        mMainWindow = top;
        char className[kClassNameSize] = "";
        if (GetClassNameA(top, className, sizeof className))
            mMainWindowClass.Set(className);
        return mMainWindow;
    }
    if (mMainWindowClass.Get()[0] == '\0')
        return nullptr;
    mProcessId = GetCurrentProcessId();
    MainWindowSearch search{mProcessId, mMainWindowClass.Get(), nullptr};
    EnumWindows(&MatchMainWindow, reinterpret_cast<LPARAM>(&search));
    mMainWindow = search.found;
    return mMainWindow;
}
