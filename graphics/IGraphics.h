#pragma once

#include "framework/ArgbColour.h"
#include "framework/PointerList.h"
#include "graphics/BitmapStrip.h"
#include "graphics/BlendSpec.h"
#include "graphics/MouseModifiers.h"
#include "graphics/Rect.h"
#include "graphics/TextStyle.h"

#include <cstdint>

class DirtyArea;
class GrowString;
class IControl;
class IEffectBase;
class IParameter;
class PIX_CachedFont;
class PIX_IBitmap;
class PIX_IGlyphSource;
class PIX_MemBitmap;
class PopupMenu;
struct OpaqueCover;

// The portable core of the editor: it owns the controls (later ones lie on top), keeps the
// draw surface, fans parameter values out to the bound controls, redraws dirty controls,
// routes mouse and keyboard input and brackets a user's gesture on a bound control with the
// plug-in's begin and end edit. Everything that needs the platform (window, painting,
// resources, menus, dialogs, text entry) is a virtual operation of the window layer.
//
// Threads: ShowParamValue runs on whatever thread sets the parameter and only stores values
// and dirty flags; every other operation runs on the UI thread.
class IGraphics
{
public:
    static constexpr int32_t kNoControl = -1;
    static constexpr int32_t kControlListGranularity = 4096;

    IGraphics(IEffectBase* plug, int width, int height, int frameRate);
    virtual ~IGraphics();
    IGraphics(const IGraphics&) = delete;
    IGraphics& operator=(const IGraphics&) = delete;

    // Window layer operations.
    // Copies the rectangle of the draw bitmap to the window.
    virtual bool PaintRect(const Rect* rect) = 0;
    // DrawText in measure mode.
    virtual bool MeasureText(TextStyle* style, const char* text, Rect* rect);
    virtual void CancelTextEntry() = 0;
    // Deletes every control and remakes the surfaces at the new size, then tells the plug-in.
    virtual void SetEditorSize(int width, int height);
    virtual bool IsWindowOpen();
    virtual const char* GetDrawingBackendName();
    virtual int ShowMessageBox(const char* text, const char* caption, int type) = 0;
    // Runs the menu; returns the (sub)menu holding the chosen index, or null.
    virtual PopupMenu* RunPopupMenu(PopupMenu* menu, const Rect* rect) = 0;
    // Opens an in-place text entry for the control; `param` null means free text.
    virtual void OpenTextEntry(IControl* control, const TextStyle* style, const Rect* rect, const char* text,
                               IParameter* param) = 0;
    virtual void GetHostDir(GrowString* dir) = 0;
    virtual void GetPluginDir(GrowString* dir) = 0;
    virtual void GetDesktopDir(GrowString* dir) = 0;
    virtual void GetAppDataDir(GrowString* dir, bool common) = 0;
    virtual void GetLocalAppDataDir(GrowString* dir) = 0;
    // Action 1 saves, any other opens. Cancel leaves the path empty; on success the folder
    // becomes the chosen file's folder.
    virtual void PromptForFileName(GrowString* path, int action, GrowString* folder, const char* extensions) = 0;
    virtual bool PromptForColour(ArgbColour* colour, const char* title) = 0;
    virtual bool OpenUrl(const char* url, const char* title, const char* confirmation, const char* error) = 0;
    // Returns the window, or null when it could not be made.
    virtual void* OpenEditorWindow(void* parentWindow) = 0;
    // The controls and this object stay.
    virtual void CloseEditorWindow() = 0;
    virtual void* GetWindowHandle() = 0;
    virtual bool GetClipboardText(GrowString* text) = 0;
    virtual void HideCursor();
    virtual void RestoreCursor();
    // Decodes the PNG resource into a new bitmap; null when missing or undecodable.
    virtual PIX_IBitmap* LoadPngResource(int id, const char* name) = 0;
    // The draw surface: a system bitmap on Windows, a memory bitmap elsewhere.
    virtual PIX_IBitmap* CreateDrawSurface(int width, int height);
    // The glyphs for a text style: GDI glyphs on Windows, fixed block glyphs elsewhere.
    virtual PIX_IGlyphSource* CreateGlyphSource(const TextStyle& style);

    // Controls.
    // The list owns the control; returns its index.
    int AddControl(IControl* control);
    // Puts the control at index 0, below all others (the background).
    void InsertFirstControl(IControl* control);
    void DeleteControls();
    int GetControlCount() const { return mControls.Count(); }
    IControl* GetControl(int index) const { return mControls.Get(index); }
    // The key catcher gets keys no control takes; owned.
    void SetKeyCatcher(IControl* control);

    // Values from the plug-in (any thread).
    void ShowParamValue(int paramIndex, double value, bool normalised);
    // The normalised value of a plain value of the parameter (clamped to its range).
    static double NormaliseParamValue(const IParameter& param, double value);

    // Drawing (UI thread).
    void CreateDrawBitmap();
    // Redraws every visible control meeting the invalid rectangle, then paints it. Controls
    // under an opaque image that encloses the rectangle are drawn only around it.
    bool DrawDirty(const Rect* invalid);
    // What the dirty controls need repainted; false when there is nothing.
    bool CollectDirtyArea(DirtyArea* dirty);
    // A redraw tick's first step: the plug-in shows what it left for the UI thread, then the
    // dirty area is collected.
    bool CollectTickArea(DirtyArea* dirty);
    bool DrawBitmap(const BitmapStrip* strip, const Rect* dest, int srcX, int srcY, const BlendSpec* blend);
    bool FillRect(const ArgbColour* colour, const Rect* rect, const BlendSpec* blend);
    bool DrawRoundRect(const ArgbColour* colour, const Rect* rect, const BlendSpec* blend);
    bool DrawRectOutline(const ArgbColour* colour, const Rect* rect);
    // Draws (or with `measure`, measures into `rect`) a UTF-8 text; false when no font exists.
    bool DrawText(TextStyle* style, const char* text, Rect* rect, bool measure = false);
    PIX_CachedFont* GetCachedFont(TextStyle* style);
    // Fills `strip` from the process-wide bitmap cache (loading on a miss) and returns it. A
    // missing image gives an empty strip and is not cached, so a later call tries again.
    BitmapStrip* LoadBitmapResource(BitmapStrip* strip, int id, const char* name, int frames);

    // Input (UI thread).
    void HandleMouseDown(int x, int y, const MouseModifiers* mods);
    void HandleMouseUp(int x, int y, const MouseModifiers* mods);
    // False (and nothing done) while mouse-over handling is off.
    bool HandleMouseOver(int x, int y, const MouseModifiers* mods);
    // Drag to the captured control; the window layer calls it only while a button is held.
    void HandleMouseDrag(int x, int y, const MouseModifiers* mods);
    void HandleMouseWheel(int x, int y, const MouseModifiers* mods, int notches);
    // True when the double click became a press (the window then captures the mouse).
    bool HandleMouseDoubleClick(int x, int y, const MouseModifiers* mods);
    // The mouse left the window: every control gets OnMouseOut, nothing is hovered.
    void HandleMouseLeave();
    // A mapped key code at a window position; false when neither a control nor the key
    // catcher took it (the window layer then passes it to the host).
    bool HandleKeyDown(int x, int y, int keyCode);
    // Forgets the captured control and the last mouse position.
    void ReleaseMouseCapture();
    // Opens the value prompt (a menu of display texts, or a text entry) for a control.
    void PromptUserInput(IControl* control, IParameter* param, const Rect* where);
    // Hands a committed text entry to its control: free text as text; for a list or two-state
    // parameter the value of the matching display text (0 when none matches); otherwise the
    // number read from the text (negated like the display), normalised.
    void ApplyEnteredText(IControl* control, IParameter* param, const char* text);

    // State.
    IEffectBase* GetPlug() const { return mPlug; }
    PIX_IBitmap* GetDrawBitmap() const { return mDrawBitmap; }
    int GetWidth() const { return mWidth; }
    int GetHeight() const { return mHeight; }
    int GetFrameRate() const { return mFrameRate; }
    int GetCapturedControl() const { return mCapture; }
    int GetMouseOver() const { return mMouseOver; }
    const Rect& GetDrawRect() const { return mDrawRect; }
    void SetMouseOverHandling(bool on) { mHandleMouseOver = on; }
    bool GetMouseOverHandling() const { return mHandleMouseOver; }
    void SetTooltipsEnabled(bool on) { mTooltips = on; }
    bool GetTooltipsEnabled() const { return mTooltips; }

protected:
    // The topmost control that is visible, not greyed (unless `hoverWhileGreyed` lets a
    // greyed one take hover) and hit; kNoControl when none.
    int FindTopmostHit(int x, int y, bool forHover) const;
    void DeleteDrawBitmaps();
    // Opens the plug-in's edit gesture for a bound control (closing one still open first), and
    // closes it; every begin gets exactly one end.
    void BeginGesture(const IControl* control);
    void EndGesture();
    // Capture, the last mouse position and the control's own press.
    void PressControl(int index, int x, int y, const MouseModifiers* mods);
    void DrawAroundCover(IControl* control, const OpaqueCover& cover, const Rect& area);

    PointerList<IControl> mControls{kControlListGranularity};
    IEffectBase* mPlug;
    Rect mDrawRect;
    bool mCursorHidden = false;
    int32_t mSavedCursorX = -1;
    int32_t mSavedCursorY = -1;
    PIX_IBitmap* mDrawBitmap = nullptr;
    PIX_MemBitmap* mScratchBitmap = nullptr;
    int32_t mWidth;
    int32_t mHeight;
    int32_t mFrameRate;
    int32_t mCapture = kNoControl;
    int32_t mMouseOver = kNoControl;
    int32_t mLastMouseX = 0;
    int32_t mLastMouseY = 0;
    bool mHandleMouseOver = false;
    bool mTooltips = false;
    IControl* mKeyCatcher = nullptr;
    // The parameter whose edit gesture is open, or -1.
    int32_t mGestureParam = -1;
};
