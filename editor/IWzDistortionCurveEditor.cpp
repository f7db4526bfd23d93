#include "editor/IWzDistortionCurveEditor.h"

#include "dsp/units/curves/CurveActionNames.h"
#include "editor/ControlLine.h"
#include "editor/IWzDropDownMenu.h"
#include "framework/IEffectBase.h"
#include "graphics/IGraphics.h"
#include "graphics/RasterPixel.h"
#include "plugin/DisplayCurve.h"
#include "plugin/IDistoCurveEditor.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace Wezmark
{
namespace
{
constexpr double kNeighbourWeight = 0.7;
constexpr double kDarkGrey = 78.0;
constexpr uint32_t kBrightFloor = 92;
constexpr double kBrightRange = 163.0;
constexpr float kHighlightFillWeight = 0.25f;
constexpr ArgbColour kInnerFrameColour{255, 0, 0, 0};
constexpr ArgbColour kOuterFrameColour{255, 255, 0, 0};
constexpr int kOpenAction = 0;
constexpr int kSaveAction = 1;

struct FileCommand
{
    const char* text;
    int action;
    const char* extension;
    void (IDistoCurveEditor::*run)(const std::string& path);
};

constexpr FileCommand kFileCommands[] = {
    {"Import Curve From CSV", kOpenAction, "csv", &IDistoCurveEditor::ImportCurveCsv},
    {"Import Curve From WAV", kOpenAction, "wav", &IDistoCurveEditor::ImportCurveWav},
    {"Export Curve To CSV", kSaveAction, "csv", &IDistoCurveEditor::ExportCurveCsv},
    {"Export Curve To WAV", kSaveAction, "wav", &IDistoCurveEditor::ExportCurveWav},
};

Rect InnerRectOf(const Rect& rect, int innerWidth)
{
    const int32_t d = (rect.Width() - innerWidth) / 2;
    return {rect.left + d, rect.top + d, rect.right - d, rect.bottom - d};
}

uint32_t Grey(uint32_t level)
{
    return PixelWord(255, level, level, level);
}
}

IWzDistortionCurveEditor::IWzDistortionCurveEditor(IEffectBase* plug, IDistoCurveEditor* curveEditor,
                                                   const DisplayCurve* first, const DisplayCurve* second, int x,
                                                   int innerWidth, const BitmapStrip* strip)
    : IBitmapControl(plug, x, kY, strip), mCurveEditor(curveEditor), mInner(InnerRectOf(mDrawRect, innerWidth)),
      mInnerWidth(innerWidth), mHalfHeight(static_cast<double>(mInner.Height() / 2)), mFirst(first), mSecond(second),
      mColumns(std::max(innerWidth, 0)), mState(mColumns),
      mHighlightRect{mDrawRect.left, mDrawRect.top, mDrawRect.right - 1, mDrawRect.bottom - 1}
{
    for (int action = 0; action < kActionCount; ++action)
        mPopup.AddItem(GetCurveActionName(action));
    mPopup.AddItem("", PopupMenuItem::kSeparator);
    for (const FileCommand& command : kFileCommands)
        mPopup.AddItem(command.text);
}

double IWzDistortionCurveEditor::ColumnValueAt(int y) const
{
    return (static_cast<double>(y - mInner.top) / (mInner.bottom - mInner.top) - 0.5) * 2.0;
}

void IWzDistortionCurveEditor::OnMouseDown(int x, int y, const MouseModifiers* mods)
{
    if (mods && mods->right)
    {
        RunPopup();
        return;
    }
    const int column = x - mInner.left;
    mState.displayMode.store(kFirstInFront);
    if (column >= 0 && column < mColumns && mods && mods->left)
        mState.columns.Set(column, ColumnValueAt(y));
    // A stroke starts: the audio thread may commit it before this thread looks again.
    if (mCurveEditor)
        mCurveEditor->PrepareCurveDrawing();
    FinishEdit();
}

// The pointer's column takes its value, its neighbours lean towards it, and a fast stroke
// fills the columns it jumped over.
void IWzDistortionCurveEditor::OnMouseDrag(int x, int y, int dx, int, const MouseModifiers* mods)
{
    const int c = x - mInner.left;
    if (c >= 0 && c < mColumns && mods && mods->left)
    {
        DisplayCurve& columns = mState.columns;
        const double v = ColumnValueAt(y);
        columns.Set(c, v);
        if (c - 1 >= 0)
            columns.Set(c - 1, kNeighbourWeight * v + (1.0 - kNeighbourWeight) * columns.Get(c - 1));
        if (c + 1 < mColumns)
            columns.Set(c + 1, (1.0 - kNeighbourWeight) * columns.Get(c + 1) + kNeighbourWeight * v);
        if (dx >= 2)
        {
            for (int i = c + 1; i <= c + dx && i < mColumns; ++i)
                columns.Set(i, v);
        }
        else if (dx <= -2)
        {
            for (int i = c - 1; i >= c + dx && i >= 0; --i)
                columns.Set(i, v);
        }
    }
    FinishEdit();
}

void IWzDistortionCurveEditor::FinishEdit()
{
    mState.drawn.store(true, std::memory_order_release);
    SetDirty(true);
    if (mLinked)
        mLinked->SetDirty(true);
}

void IWzDistortionCurveEditor::OnMouseOver(int, int, const MouseModifiers*)
{
    mHover = true;
    MarkPendingRedraw();
    SetDirty(true);
}

void IWzDistortionCurveEditor::OnMouseOut()
{
    mHover = false;
    MarkPendingRedraw();
    SetDirty(true);
}

void IWzDistortionCurveEditor::RunPopup()
{
    IGraphics* graphics = mPlug ? mPlug->GetGraphics() : nullptr;
    if (!graphics || !mCurveEditor || !graphics->RunPopupMenu(&mPopup, &mInner))
        return;
    const int item = mPopup.GetChosenItemIdx();
    mPopup.SetChosenItemIdx(-1);
    if (item >= 0 && item < kActionCount)
        mCurveEditor->ApplyCurveAction(item);
    else if (item > kSeparatorItem)
        RunFileCommand(item);
}

// A dialog that was cancelled leaves the path empty, and then no file is touched.
void IWzDistortionCurveEditor::RunFileCommand(int item)
{
    const size_t index = static_cast<size_t>(item - kImportCsvItem);
    if (index >= std::size(kFileCommands))
        return;
    const FileCommand& command = kFileCommands[index];
    if (const std::string last = mCurveEditor->GetCurveFilePath(); !last.empty())
        mCurveFilePath.Set(last.c_str());
    GrowString folder;
    mPlug->GetGraphics()->PromptForFileName(&mCurveFilePath, command.action, &folder, command.extension);
    const std::string path = mCurveFilePath.Get();
    if (!path.empty())
        (mCurveEditor->*command.run)(path);
}

bool IWzDistortionCurveEditor::Draw(IGraphics* graphics)
{
    IBitmapControl::Draw(graphics);
    if (mCurveEditor && !mCurveEditor->IsProcessingActive() && mState.drawn.exchange(false, std::memory_order_acquire))
        mCurveEditor->CommitDrawnCurve();
    switch (mState.displayMode.load())
    {
    case kFirstInFront:
        DrawCurve(graphics, mSecond, false);
        DrawCurve(graphics, mFirst, true);
        break;
    case kSecondInFront:
        DrawCurve(graphics, mFirst, false);
        DrawCurve(graphics, mSecond, true);
        break;
    default:
        DrawCurve(graphics, mFirst, false);
        DrawCurve(graphics, mSecond, false);
        break;
    }
    if (mFrame)
    {
        graphics->DrawRectOutline(&kInnerFrameColour, &mInner);
        graphics->DrawRectOutline(&kOuterFrameColour, &mDrawRect);
    }
    if (mHighlightEnabled && mHover)
        DrawHighlight(graphics);
    return true;
}

// Segment i joins points i - 1 and i; its shade follows a half sine over the width, so the
// curve fades towards both ends.
void IWzDistortionCurveEditor::DrawCurve(IGraphics* graphics, const DisplayCurve* values, bool bright) const
{
    if (!values)
        return;
    const int n = mColumns;
    auto pointY = [&](int i) {
        double a = values->Get(i);
        if (!std::isfinite(a))
            a = 0.0;
        if (mClampValues)
            a = std::clamp(a, -1.0, 1.0);
        return static_cast<int32_t>(mInner.top + mHalfHeight - a * mHalfHeight);
    };
    auto pointX = [&](int i) { return static_cast<int32_t>(mInner.left + static_cast<double>(i) / n * mInnerWidth); };
    for (int i = 1; i < n; ++i)
    {
        const double s = std::sin(std::numbers::pi * (i - 1) / n);
        const uint32_t level = bright ? (kBrightFloor + static_cast<uint32_t>(kBrightRange * s)) % 256
                                      : static_cast<uint32_t>(kDarkGrey * s) % 256;
        DrawControlLine(graphics, pointX(i - 1), pointY(i - 1), pointX(i), pointY(i), Grey(level));
    }
}

void IWzDistortionCurveEditor::DrawHighlight(IGraphics* graphics) const
{
    const BlendSpec fillBlend{BlendSpec::kCopySourceAlpha, kHighlightFillWeight};
    const BlendSpec ownBlend = GetBlend();
    graphics->FillRect(&IWzDropDownMenu::kHighlightFill, &mHighlightRect, &fillBlend);
    graphics->DrawRoundRect(&IWzDropDownMenu::kHighlightOutline, &mHighlightRect, &ownBlend);
}
} // namespace Wezmark
