#include "tests/graphics_support/HeadlessGraphics.h"

#include "framework/GrowString.h"
#include "graphics/DirtyArea.h"
#include "graphics/IControl.h"
#include "graphics/PIX_MemBitmap.h"
#include "graphics/PngDecoder.h"
#include "graphics/PopupMenu.h"

HeadlessGraphics::HeadlessGraphics(IEffectBase* plug, int width, int height)
    : IGraphics(plug, width, height, kFrameRate)
{
}

HeadlessGraphics::~HeadlessGraphics() = default;

template <class T>
bool HeadlessGraphics::Take(std::deque<T>& queue, T* out)
{
    if (queue.empty())
        return false;
    *out = queue.front();
    queue.pop_front();
    return true;
}

bool HeadlessGraphics::PaintRect(const Rect* rect)
{
    paintedRects.push_back(rect ? *rect : Rect{});
    return true;
}

void HeadlessGraphics::CancelTextEntry()
{
    entryOpen = false;
}

int HeadlessGraphics::ShowMessageBox(const char* text, const char* caption, int type)
{
    messageBoxes.push_back({text ? text : "", caption ? caption : "", type});
    int answer = 0;
    Take(mMessageBoxAnswers, &answer);
    return answer;
}

PopupMenu* HeadlessGraphics::RunPopupMenu(PopupMenu* menu, const Rect* rect)
{
    ReleaseMouseCapture();
    if (!menu)
        return nullptr;
    ShownMenu shown;
    shown.where = rect ? *rect : Rect{};
    for (int i = 0; i < menu->GetItemCount(); ++i)
    {
        shown.items.emplace_back(menu->GetItem(i)->text.Get());
        shown.flags.push_back(menu->GetItem(i)->flags);
    }
    menus.push_back(shown);
    int choice = -1;
    if (!Take(mMenuChoices, &choice) || choice < 0 || choice >= menu->GetItemCount())
        return nullptr;
    menu->SetChosenItemIdx(choice);
    return menu;
}

void HeadlessGraphics::OpenTextEntry(IControl* control, const TextStyle*, const Rect* rect, const char* text,
                                     IParameter* param)
{
    if (!control || entryOpen)
        return;
    textEntries.push_back({control, param, text ? text : "", rect ? *rect : Rect{}});
    entryOpen = true;
}

void HeadlessGraphics::CommitTextEntry(const char* typed)
{
    if (!entryOpen || textEntries.empty())
        return;
    entryOpen = false;
    const OpenedEntry& entry = textEntries.back();
    ApplyEnteredText(entry.control, entry.param, typed);
}

void HeadlessGraphics::GetHostDir(GrowString* dir)
{
    dir->Set("host/");
}

void HeadlessGraphics::GetPluginDir(GrowString* dir)
{
    dir->Set("plugin/");
}

void HeadlessGraphics::GetDesktopDir(GrowString* dir)
{
    dir->Set("desktop/");
}

void HeadlessGraphics::GetAppDataDir(GrowString* dir, bool common)
{
    dir->Set(common ? "common-appdata/" : "local-appdata/");
}

void HeadlessGraphics::GetLocalAppDataDir(GrowString* dir)
{
    GetAppDataDir(dir, false);
}

void HeadlessGraphics::PromptForFileName(GrowString* path, int, GrowString* folder, const char*)
{
    std::string chosen;
    Take(mFileNames, &chosen);
    path->Set(chosen.c_str());
    const size_t slash = chosen.find_last_of('/');
    if (folder && slash != std::string::npos)
        folder->Set(chosen.substr(0, slash + 1).c_str());
}

bool HeadlessGraphics::PromptForColour(ArgbColour* colour, const char*)
{
    ArgbColour chosen{};
    if (!colour || !Take(mColours, &chosen))
        return false;
    colour->r = chosen.r;
    colour->g = chosen.g;
    colour->b = chosen.b;
    return true;
}

bool HeadlessGraphics::OpenUrl(const char* url, const char*, const char*, const char*)
{
    openedUrls.emplace_back(url ? url : "");
    return mUrlOpens;
}

void* HeadlessGraphics::OpenEditorWindow(void* parentWindow)
{
    mWindow = parentWindow ? parentWindow : this;
    for (int i = 0; i < GetControlCount(); ++i)
        GetControl(i)->SetDirty(false);
    return mWindow;
}

void HeadlessGraphics::CloseEditorWindow()
{
    mWindow = nullptr;
}

void* HeadlessGraphics::GetWindowHandle()
{
    return mWindow;
}

bool HeadlessGraphics::GetClipboardText(GrowString* text)
{
    text->Set(mClipboard.c_str());
    return !mClipboard.empty();
}

PIX_IBitmap* HeadlessGraphics::LoadPngResource(int id, const char* name)
{
    ++mPngLoads;
    const auto file = mResourceFiles.find(id);
    std::string path;
    if (file != mResourceFiles.end())
        path = file->second;
    else if (name && !mResourceRoot.empty())
        path = mResourceRoot + "/" + name;
    return path.empty() ? nullptr : LoadPngFromFile(path.c_str(), nullptr);
}

PIX_IBitmap* HeadlessGraphics::CreateDrawSurface(int width, int height)
{
    auto* bitmap = new PIX_MemBitmap;
    bitmap->SetSize(width, height);
    return bitmap;
}

Rect HeadlessGraphics::Tick()
{
    DirtyArea dirty;
    if (!CollectTickArea(&dirty))
        return {};
    for (int i = 0; i < dirty.Count(); ++i)
        DrawDirty(&dirty[i]);
    return dirty.Bounds();
}
