#pragma once

#include "graphics/IGraphics.h"

#include <deque>
#include <map>
#include <string>
#include <vector>

class IControl;
class IParameter;

// An editor without a window for tests: it draws into a memory bitmap, reads PNG resources
// from files, and answers menus, dialogs and text entries from scripts. Tick() does what
// the window's redraw timer does: collect the dirty area, draw and "paint" each of its rectangles.
class HeadlessGraphics : public IGraphics
{
public:
    static constexpr int kEditorWidth = 650;
    static constexpr int kEditorHeight = 830;
    static constexpr int kFrameRate = 25;

    struct ShownMenu
    {
        std::vector<std::string> items;
        std::vector<int> flags;
        Rect where;
    };

    struct OpenedEntry
    {
        IControl* control = nullptr;
        IParameter* param = nullptr;
        std::string text;
        Rect where;
    };

    struct MessageBox
    {
        std::string text;
        std::string caption;
        int type = 0;
    };

    explicit HeadlessGraphics(IEffectBase* plug, int width = kEditorWidth, int height = kEditorHeight);
    ~HeadlessGraphics() override;

    bool PaintRect(const Rect* rect) override;
    void CancelTextEntry() override;
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
    PIX_IBitmap* LoadPngResource(int id, const char* name) override;
    PIX_IBitmap* CreateDrawSurface(int width, int height) override;

    // One redraw tick; returns the box around what was drawn (all zero when nothing was dirty).
    Rect Tick();

    // Resources: a file for an id, else the name under the resource root.
    void SetResourceFile(int id, const std::string& path) { mResourceFiles[id] = path; }
    void SetResourceRoot(const std::string& root) { mResourceRoot = root; }
    int PngLoads() const { return mPngLoads; }

    // Scripts, taken in order: a menu choice (-1 none), a file path ("" cancel), a colour
    // (none queued: cancel), a message-box answer, a URL result, clipboard text.
    void ScriptMenuChoice(int index) { mMenuChoices.push_back(index); }
    void ScriptFileName(const std::string& path) { mFileNames.push_back(path); }
    void ScriptColour(ArgbColour colour) { mColours.push_back(colour); }
    void ScriptMessageBoxAnswer(int answer) { mMessageBoxAnswers.push_back(answer); }
    void SetUrlResult(bool opens) { mUrlOpens = opens; }
    void SetClipboardText(const std::string& text) { mClipboard = text; }

    // Ends an open text entry as the window would: committing the typed text, or cancelling.
    void CommitTextEntry(const char* typed);

    std::vector<ShownMenu> menus;
    std::vector<MessageBox> messageBoxes;
    std::vector<std::string> openedUrls;
    std::vector<OpenedEntry> textEntries;
    std::vector<Rect> paintedRects;
    bool entryOpen = false;

private:
    template <class T>
    static bool Take(std::deque<T>& queue, T* out);

    std::map<int, std::string> mResourceFiles;
    std::string mResourceRoot;
    int mPngLoads = 0;
    std::deque<int> mMenuChoices;
    std::deque<std::string> mFileNames;
    std::deque<ArgbColour> mColours;
    std::deque<int> mMessageBoxAnswers;
    bool mUrlOpens = false;
    std::string mClipboard;
    void* mWindow = nullptr;
};
