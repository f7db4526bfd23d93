#pragma once

#include "framework/GrowBuffer.h"
#include "graphics/BlendSpec.h"
#include "graphics/MouseModifiers.h"
#include "graphics/PublishedText.h"
#include "graphics/Rect.h"
#include "graphics/TextStyle.h"

#include <atomic>
#include <cstdint>

class DirtyArea;
class IEffectBase;
class IGraphics;
class ITextControl;

// The base of everything drawn in the editor: a rectangle with a normalised value, bound to
// a parameter (or -1) and to further auxiliary parameters, with a text style, a blend, and a
// dirty flag that the redraw timer polls.
//
// Threads: the plug-in side (SetValueFromPlug, SetAuxParamValueFromPlug, Hide, GrayOut,
// SetDirty(false), tooltips) may run on any thread, also the audio thread. Those only store
// values and flags (atomics) and publish texts through fixed buffers; they never allocate,
// free or wait for the UI. Everything else runs on the UI thread.
class IControl
{
public:
    static constexpr int32_t kDefaultTextEntryLength = 7;
    static constexpr float kGreyedWeight = 0.25f;
    static constexpr int32_t kAuxListGranularity = 4096;

    IControl(IEffectBase* plug, const Rect& rect, int paramIndex = -1, BlendSpec blend = {});
    virtual ~IControl();
    IControl(const IControl&) = delete;
    IControl& operator=(const IControl&) = delete;

    // Right button: the value prompt; otherwise nothing.
    virtual void OnMouseDown(int x, int y, const MouseModifiers* mods);
    virtual void OnMouseUp(int x, int y, const MouseModifiers* mods);
    virtual void OnMouseDrag(int x, int y, int dx, int dy, const MouseModifiers* mods);
    // Restores the default value once one is known.
    virtual void OnMouseDoubleClick(int x, int y, const MouseModifiers* mods);
    virtual void OnMouseWheel(int x, int y, const MouseModifiers* mods, int notches);
    // True when the control took the key.
    virtual bool OnKeyDown(int x, int y, int keyCode);
    virtual void OnMouseOver(int x, int y, const MouseModifiers* mods);
    virtual void OnMouseOut();
    virtual bool Draw(IGraphics* graphics) = 0;
    // The part of the rect its draw covers with opaque pixels, whatever lies below (empty: none).
    virtual Rect OpaqueRect() const { return {}; }
    // True when its draw touches no pixel outside the draw rect the editor is drawing.
    virtual bool DrawsOnlyWithinClip() const { return false; }
    // From the plug-in: shows the value without telling the host. The first value ever sent
    // becomes the default when none was given.
    virtual void SetValueFromPlug(double value);
    // From a prompt: sets the value and tells the plug-in.
    virtual void SetValueFromUserInput(double value);
    virtual void OnTextEntered(const char* text);
    virtual void Hide(bool hide);
    // A greyed control is drawn at a quarter weight and not hit.
    virtual void GrayOut(bool grey);
    virtual bool IsHit(int x, int y);
    // Clamps the value and marks the control dirty; with `pushToPlug` a bound control also
    // sets its parameter from the editor (the host hears of it) and refreshes its linked texts.
    virtual void SetDirty(bool pushToPlug = true);
    // Before a draw pass covers the control: what is stored from now on is a change the pass
    // may not show. UI thread only.
    void BeginRedraw()
    {
        mPendingRedraw.store(false);
        mHiddenWhenRedrawn = IsHidden();
    }
    // Hidden now and at the last pass that covered it: a change cannot show, and there is
    // nothing of it to erase.
    bool StaysHidden() const { return mHiddenWhenRedrawn && IsHidden(); }
    // After a draw: dirty again for one more tick when a change arrived since BeginRedraw.
    virtual bool TakePendingRedraw();
    virtual bool IsDirty();
    // What a redraw of the dirty control must repaint: its draw rect, unless it knows that
    // less of it changed. UI thread only.
    virtual void AddRedrawArea(DirtyArea* area) const;
    virtual void SetAuxParamValueFromPlug(int auxIndex, double value);

    int GetParamIndex() const { return mParamIndex; }
    // Appends an auxiliary parameter (construction time only); false when the list cannot grow.
    bool AddAuxParam(int paramIndex);
    int GetAuxParamCount() const;
    int GetAuxParamIndex(int auxIndex) const;
    double GetAuxParamValue(int auxIndex) const;

    double GetValue() const { return mValue.load(std::memory_order_relaxed); }
    double GetDefaultValue() const { return mDefaultValue.load(std::memory_order_relaxed); }
    void SetDefaultValue(double value) { mDefaultValue.store(value, std::memory_order_relaxed); }
    void SetClamp(double low, double high);

    const Rect& GetDrawRect() const { return mDrawRect; }
    const Rect& GetTargetRect() const { return mTargetRect; }
    void SetTargetRect(const Rect& rect) { mTargetRect = rect; }
    IEffectBase* GetPlug() const { return mPlug; }

    bool IsHidden() const { return mHidden.load(std::memory_order_relaxed); }
    bool IsGrayed() const { return mGreyed.load(std::memory_order_relaxed); }
    BlendSpec GetBlend() const { return {mBlendMethod, mBlendWeight.load(std::memory_order_relaxed)}; }

    TextStyle* GetTextStyle() { return &mTextStyle; }
    void SetTextStyle(const TextStyle& style);
    int GetTextEntryLength() const { return mTextEntryLength; }
    void SetTextEntryLength(int length) { mTextEntryLength = length; }

    void SetPromptDisabled(bool disabled) { mPromptDisabled = disabled; }
    void SetDoubleClickAsPress(bool on) { mDoubleClickAsPress = on; }
    bool GetDoubleClickAsPress() const { return mDoubleClickAsPress; }
    void SetHoverWhileGreyed(bool on) { mHoverWhileGreyed = on; }
    bool GetHoverWhileGreyed() const { return mHoverWhileGreyed; }

    // Texts that show the bound parameter's value (with its label) and its name.
    void SetLinkedValueText(ITextControl* text) { mLinkedValueText = text; }
    void SetLinkedNameText(ITextControl* text) { mLinkedNameText = text; }

    void SetTooltip(const char* text) { mTooltip.Set(text); }
    void GetTooltip(char* out, int size) const { mTooltip.CopyTo(out, size); }

    // Opens the value prompt when the control is bound and its prompt is enabled.
    void PromptForValue();

protected:
    // The value stored by the plug-in side: marks pending first, then dirty, so that a draw
    // pass running at the same time cannot lose the change.
    void StoreValueFromPlug(std::atomic<double>& slot, double value);
    void MarkPendingRedraw() { mPendingRedraw.store(true); }
    // The wheel step of knobs and faders: 0.01 per notch, 0.001 with Shift or Control.
    void StepByWheel(const MouseModifiers* mods, int notches);
    // The plug-in's text for the control's value where it has one; else the bound parameter's
    // display text, with a space and its label unless a display text stands for the value.
    bool FormatValueText(char* out, int size, bool withLabel) const;
    void RefreshLinkedTexts();

    struct AuxParam
    {
        double value;
        int32_t paramIndex;
        int32_t reserved;
    };
    static_assert(sizeof(AuxParam) == 16);
    AuxParam* AuxEntry(int auxIndex) const;

    int32_t mTextEntryLength = kDefaultTextEntryLength;
    TextStyle mTextStyle;
    IEffectBase* mPlug;
    Rect mDrawRect;
    Rect mTargetRect;
    int32_t mParamIndex;
    GrowBuffer mAuxParams{kAuxListGranularity};
    std::atomic<double> mValue{0.0};
    std::atomic<double> mDefaultValue{-1.0};
    double mClampLow = 0.0;
    double mClampHigh = 1.0;
    std::atomic<bool> mDirty{true};
    std::atomic<bool> mHidden{false};
    std::atomic<bool> mGreyed{false};
    std::atomic<bool> mPendingRedraw{false};
    bool mHiddenWhenRedrawn = false;
    bool mPromptDisabled = true;
    bool mDoubleClickAsPress = false;
    bool mHoverWhileGreyed = false;
    int32_t mBlendMethod;
    std::atomic<float> mBlendWeight;
    ITextControl* mLinkedValueText = nullptr;
    ITextControl* mLinkedNameText = nullptr;
    PublishedText mTooltip;
};
