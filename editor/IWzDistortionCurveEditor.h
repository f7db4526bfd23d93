#pragma once

#include "framework/GrowString.h"
#include "graphics/IBitmapControl.h"
#include "graphics/PopupMenu.h"
#include "plugin/CurveEditorState.h"

class DisplayCurve;

namespace Wezmark
{
class IDistoCurveEditor;

// Shows the transfer curve and lets the user draw it, one value per pixel column. The drawn
// columns live in a state the core reads when it commits them to the curve. A right click
// opens the curve actions and the curve file commands.
class IWzDistortionCurveEditor : public IBitmapControl
{
public:
    static constexpr int kY = 123;
    static constexpr int kActionCount = 20;
    static constexpr int kSeparatorItem = 20;
    static constexpr int kImportCsvItem = 21;
    static constexpr int kImportWavItem = 22;
    static constexpr int kExportCsvItem = 23;
    static constexpr int kExportWavItem = 24;

    // Draw modes: which display array is drawn bright, on top.
    static constexpr int kFirstInFront = 0;
    static constexpr int kSecondInFront = 1;

    // The display arrays belong to the core and hold at least `innerWidth` values each.
    IWzDistortionCurveEditor(IEffectBase* plug, IDistoCurveEditor* curveEditor, const DisplayCurve* first,
                             const DisplayCurve* second, int x, int innerWidth, const BitmapStrip* strip);

    void OnMouseDown(int x, int y, const MouseModifiers* mods) override;
    void OnMouseDrag(int x, int y, int dx, int dy, const MouseModifiers* mods) override;
    void OnMouseOver(int x, int y, const MouseModifiers* mods) override;
    void OnMouseOut() override;
    bool Draw(IGraphics* graphics) override;
    // Its lines are not clipped to the draw rect.
    bool DrawsOnlyWithinClip() const override { return false; }

    CurveEditorState& State() { return mState; }
    const Rect& InnerRect() const { return mInner; }
    PopupMenu& Popup() { return mPopup; }
    // Dirtied with this control after every edit.
    void SetLinkedControl(IControl* control) { mLinked = control; }
    void SetHighlightEnabled(bool enabled) { mHighlightEnabled = enabled; }
    void SetFrame(bool frame) { mFrame = frame; }
    void SetClamp(bool clamp) { mClampValues = clamp; }

private:
    // The column value of a pointer height: -1 at the inner top, +1 at the inner bottom.
    double ColumnValueAt(int y) const;
    void FinishEdit();
    void RunPopup();
    void RunFileCommand(int item);
    void DrawCurve(IGraphics* graphics, const DisplayCurve* values, bool bright) const;
    void DrawHighlight(IGraphics* graphics) const;

    IDistoCurveEditor* mCurveEditor;
    Rect mInner;
    bool mFrame = false;
    bool mClampValues = true;
    double mInnerWidth;
    double mHalfHeight;
    const DisplayCurve* mFirst;
    const DisplayCurve* mSecond;
    int32_t mColumns;
    CurveEditorState mState;
    PopupMenu mPopup;
    GrowString mCurveFilePath;
    IControl* mLinked = nullptr;
    Rect mHighlightRect;
    bool mHighlightEnabled = true;
    bool mHover = false;
};
} // namespace Wezmark
