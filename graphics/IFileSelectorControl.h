#pragma once

#include "framework/GrowString.h"
#include "graphics/BitmapStrip.h"
#include "graphics/IControl.h"

// A press runs the file dialog; the bitmap shows while the dialog is open, and the value
// toggles each time a dialog closes so that the plug-in hears of it.
class IFileSelectorControl : public IControl
{
public:
    static constexpr int32_t kOpen = 0;
    static constexpr int32_t kSave = 1;
    static constexpr int32_t kStringGranularity = 128;

    enum class State : int32_t
    {
        Idle = 0,
        DialogOpen = 1,
        DialogDone = 2,
    };

    IFileSelectorControl(IEffectBase* plug, const Rect& rect, int paramIndex, const BitmapStrip* strip, int action,
                         const char* folder = "", const char* extensions = "");

    void OnMouseDown(int x, int y, const MouseModifiers* mods) override;
    bool Draw(IGraphics* graphics) override;
    // Also reports once after a dialog closed, so the control repaints without its bitmap.
    bool IsDirty() override;

    const char* GetPath() const { return mPath.Get(); }
    void SetPath(const char* path) { mPath.Set(path); }
    const char* GetFolder() const { return mFolder.Get(); }
    State GetState() const { return mState; }

protected:
    BitmapStrip mBitmap;
    GrowString mPath{kStringGranularity};
    GrowString mFolder{kStringGranularity};
    GrowString mExtensions{kStringGranularity};
    int32_t mAction;
    State mState = State::Idle;
};
