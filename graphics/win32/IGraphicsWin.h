#pragma once

#include "framework/GrowString.h"
#include "graphics/IGraphics.h"

#include <windows.h>

#include <cstdint>
#include <memory>

// The editor as a Win32 child window of the host's window: a redraw timer that collects the
// dirty controls, painting from the draw bitmap's device context, mouse, wheel and key input
// routed through IGraphics, and the native pieces controls ask for (text entry, popup menus,
// file and colour dialogs, message boxes, web addresses, folders, tooltips, PNG resources).
// Everything runs on the host's UI thread that owns the window.
class IGraphicsWin : public IGraphics
{
public:
    static constexpr char kWindowClassName[] = "IEffectWndClass";
    static constexpr char kWindowTitle[] = "IEffect";
    static constexpr UINT_PTR kRedrawTimerId = 2;

    // Text entry: idle; the entry has the focus; the editor was redrawn around it; cancel or
    // commit asked for, carried out by the next timer tick.
    enum EntryState : int32_t
    {
        kEntryIdle = 0,
        kEntryFocused = 1,
        kEntryRedrawn = 2,
        kEntryCancel = 3,
        kEntryCommit = 4,
    };

    IGraphicsWin(IEffectBase* plug, int width, int height, int frameRate);
    ~IGraphicsWin() override;

    bool PaintRect(const Rect* rect) override;
    void CancelTextEntry() override;
    void SetEditorSize(int width, int height) override;
    bool IsWindowOpen() override;
    const char* GetDrawingBackendName() override;
    int ShowMessageBox(const char* text, const char* caption, int type) override;
    PopupMenu* RunPopupMenu(PopupMenu* menu, const Rect* rect) override;
    void OpenTextEntry(IControl* control, const TextStyle* style, const Rect* rect, const char* text,
                       IParameter* param) override;
    void GetHostDir(GrowString* dir) override;
    void GetPluginDir(GrowString* dir) override;
    void GetDesktopDir(GrowString* dir) override;
    void GetAppDataDir(GrowString* dir, bool common) override;
    void GetLocalAppDataDir(GrowString* dir) override;
    void PromptForFileName(GrowString* path, int action, GrowString* folder, const char* extensions) override;
    bool PromptForColour(ArgbColour* colour, const char* title) override;
    bool OpenUrl(const char* url, const char* title, const char* confirmation, const char* error) override;
    void* OpenEditorWindow(void* parentWindow) override;
    void CloseEditorWindow() override;
    void* GetWindowHandle() override;
    bool GetClipboardText(GrowString* text) override;
    void HideCursor() override;
    void RestoreCursor() override;
    PIX_IBitmap* LoadPngResource(int id, const char* name) override;

    // The EDIT window of an open text entry, or null.
    HWND GetTextEntryWindow() const { return mTextEntry; }
    int32_t GetEntryState() const { return mEntryState; }

private:
    static LRESULT CALLBACK EditorWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    static LRESULT CALLBACK TextEntryProc(HWND entry, UINT message, WPARAM wParam, LPARAM lParam);
    static UINT_PTR CALLBACK ColourDialogHook(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
    // The directory of a module's file, up to and including its last backslash (null: the
    // process's executable); empty when the name cannot be read whole.
    static void GetModuleDir(HMODULE module, GrowString* dir);

    // Window and paint.
    LRESULT HandleWindowMessage(UINT message, WPARAM wParam, LPARAM lParam);
    void OnCreate();
    void OnDestroyed();
    void OnTimerTick();
    void OnPaint();
    bool CreateTooltip();
    void SetTooltipText(const char* text);
    void HideTooltip();

    // Input; each returns true when it handled the message.
    bool HandleMouseMessage(UINT message, WPARAM wParam, LPARAM lParam);
    bool HandleKeyMessage(UINT message, WPARAM wParam, LPARAM lParam);
    void OnMouseMove(int x, int y, const MouseModifiers& mods);
    void ShowHoveredTooltip();
    // Sends a key nobody here took to the host's top-level window.
    void ForwardKeyToHost(UINT message, WPARAM wParam, LPARAM lParam);

    // Text entry.
    LRESULT HandleEntryMessage(HWND entry, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT ColourTextEntry(HDC context);
    void FinishTextEntry(bool commit);
    void CommitTextEntry();

    // Message boxes are owned by the host's main window.
    HWND FindMainWindow();

    HINSTANCE mModule;
    HWND mWindow = nullptr;
    HWND mTextEntry = nullptr;
    HWND mTooltipWindow = nullptr;
    IControl* mEditedControl = nullptr;
    IParameter* mEditedParam = nullptr;
    WNDPROC mEntryProc = nullptr;
    HFONT mEntryFont = nullptr;
    int32_t mEntryState = kEntryIdle;
    bool mTooltipShown = false;
    int32_t mTooltipControl = kNoControl;
    std::unique_ptr<COLORREF[]> mCustomColours;
    DWORD mProcessId = 0;
    HWND mParent = nullptr;
    HWND mMainWindow = nullptr;
    // The window's device context while WM_PAINT is being handled, else null.
    HDC mPaintContext = nullptr;
    GrowString mMainWindowClass;
};
