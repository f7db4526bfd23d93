#include "editor/IWzDistortionCurveEditor.h"
#include "graphics/PIX_IBitmap.h"
#include "plugin/DisplayCurve.h"
#include "tests/editor_controls/ControlTestRig.h"

#include <gtest/gtest.h>

#include <cmath>

using Wezmark::IWzDistortionCurveEditor;

namespace
{
using Texts = std::vector<std::string>;
constexpr int kColumns = 10;
// A 20 x 20 frame around 10 columns: the inner rect is 5 pixels in, (5, 128) to (15, 138).
constexpr int kInnerLeft = 5;
constexpr int kInnerTop = IWzDistortionCurveEditor::kY + 5;

struct CurveEditorRig
{
    CurveEditorRig()
    {
        editor = rig.Add(new IWzDistortionCurveEditor(&rig.plug, &rig.controller, &first, &second, 0, kColumns, &strip));
        for (int i = 0; i < kColumns; ++i)
            editor->State().columns.Set(i, 0.0);
        editor->State().drawn = false;
    }

    std::vector<double> Columns()
    {
        std::vector<double> values;
        for (int i = 0; i < kColumns; ++i)
            values.push_back(editor->State().columns.Get(i));
        return values;
    }

    ControlTestRig rig;
    BitmapStrip strip{nullptr, 20, 20, 1, false};
    DisplayCurve first{kColumns};
    DisplayCurve second{kColumns};
    IWzDistortionCurveEditor* editor;
};

// Pixel rows of the inner rect: y = top + 10 * (v / 2 + 0.5).
int RowOf(double v)
{
    return kInnerTop + static_cast<int>(10 * (v / 2 + 0.5));
}

TEST(CurveEditor, ColumnsStartAsARisingLine)
{
    ControlTestRig rig;
    const BitmapStrip strip{nullptr, 20, 20, 1, false};
    IWzDistortionCurveEditor editor(&rig.plug, &rig.controller, nullptr, nullptr, 0, 4, &strip);
    EXPECT_EQ(editor.InnerRect(), (Rect{8, IWzDistortionCurveEditor::kY + 8, 12, IWzDistortionCurveEditor::kY + 12}));
    std::vector<double> values;
    for (int i = 0; i < 4; ++i)
        values.push_back(editor.State().columns.Get(i));
    EXPECT_EQ(values, (std::vector<double>{1.0, 0.5, 0.0, -0.5}));
}

TEST(CurveEditor, PressWritesItsColumnAndMarksTheDrawing)
{
    CurveEditorRig r;
    r.second.Set(0, 0.0);
    r.editor->State().displayMode = IWzDistortionCurveEditor::kSecondInFront;
    const MouseModifiers mods = LeftButton();
    r.editor->OnMouseDown(kInnerLeft + 3, RowOf(-1.0), &mods);
    EXPECT_EQ(r.Columns()[3], -1.0);
    EXPECT_TRUE(r.editor->State().drawn.load());
    // The core makes room for the curves before the audio thread can commit the stroke.
    EXPECT_EQ(r.rig.controller.drawingsPrepared, 1);
    EXPECT_EQ(r.editor->State().displayMode.load(), IWzDistortionCurveEditor::kFirstInFront);
}

TEST(CurveEditor, PressOutsideTheColumnsOnlyMarksTheDrawing)
{
    for (const int x : {kInnerLeft - 1, kInnerLeft + kColumns})
    {
        CurveEditorRig r;
        r.rig.graphics->Tick();
        const MouseModifiers mods = LeftButton();
        r.editor->OnMouseDown(x, RowOf(1.0), &mods);
        EXPECT_EQ(r.Columns(), std::vector<double>(kColumns, 0.0)) << x;
        EXPECT_TRUE(r.editor->State().drawn.load());
        EXPECT_TRUE(r.editor->IsDirty());
    }
}

struct DragCase
{
    const char* name;
    int column;
    double value;
    int dx;
    std::vector<double> expected;
};

class CurveEditorDragTest : public testing::TestWithParam<DragCase>
{
};

TEST_P(CurveEditorDragTest, WritesBlendsAndFills)
{
    const DragCase& c = GetParam();
    CurveEditorRig r;
    for (int i = 0; i < kColumns; ++i)
        r.editor->State().columns.Set(i, 0.5);
    const MouseModifiers mods = LeftButton();
    r.editor->OnMouseDrag(kInnerLeft + c.column, RowOf(c.value), c.dx, 0, &mods);
    const std::vector<double> columns = r.Columns();
    for (int i = 0; i < kColumns; ++i)
        EXPECT_NEAR(columns[static_cast<size_t>(i)], c.expected[static_cast<size_t>(i)], 1e-12) << c.name << " column " << i;
    EXPECT_TRUE(r.editor->State().drawn.load());
}

// Neighbours of a value v over 0.5 become 0.7 v + 0.15.
INSTANTIATE_TEST_SUITE_P(
    Drags, CurveEditorDragTest,
    testing::Values(DragCase{"still, upwards", 4, -1.0, 0, {0.5, 0.5, 0.5, -0.55, -1.0, -0.55, 0.5, 0.5, 0.5, 0.5}},
                    DragCase{"one to the right fills nothing", 4, 1.0, 1, {0.5, 0.5, 0.5, 0.85, 1.0, 0.85, 0.5, 0.5, 0.5, 0.5}},
                    DragCase{"right by five", 2, 0.0, 5, {0.5, 0.15, 0.0, 0.0, 0.0, 0.0, 0.0, 0.0, 0.5, 0.5}},
                    DragCase{"left by five stops at column 0", 3, 0.0, -5, {0.0, 0.0, 0.0, 0.0, 0.15, 0.5, 0.5, 0.5, 0.5, 0.5}},
                    DragCase{"first column", 0, -1.0, 0, {-1.0, -0.55, 0.5, 0.5, 0.5, 0.5, 0.5, 0.5, 0.5, 0.5}},
                    DragCase{"last column", 9, -1.0, 0, {0.5, 0.5, 0.5, 0.5, 0.5, 0.5, 0.5, 0.5, -0.55, -1.0}},
                    DragCase{"right past the end", 8, 0.0, 6, {0.5, 0.5, 0.5, 0.5, 0.5, 0.5, 0.5, 0.15, 0.0, 0.0}},
                    DragCase{"outside", 10, 0.0, 3, {0.5, 0.5, 0.5, 0.5, 0.5, 0.5, 0.5, 0.5, 0.5, 0.5}}),
    [](const testing::TestParamInfo<DragCase>& info) { return "case" + std::to_string(info.index); });

TEST(CurveEditor, DragWithoutTheLeftButtonWritesNothing)
{
    CurveEditorRig r;
    const MouseModifiers mods = RightButton();
    r.editor->OnMouseDrag(kInnerLeft + 4, RowOf(1.0), 0, 0, &mods);
    EXPECT_EQ(r.Columns(), std::vector<double>(kColumns, 0.0));
    EXPECT_TRUE(r.editor->State().drawn.load());
}

TEST(CurveEditor, EditsRedrawTheLinkedControl)
{
    CurveEditorRig r;
    DisplayCurve none{1};
    auto* preview = r.rig.Add(new IWzDistortionCurveEditor(&r.rig.plug, &r.rig.controller, &none, &none, 40, 1, &r.strip));
    r.editor->SetLinkedControl(preview);
    r.rig.graphics->Tick();
    EXPECT_FALSE(preview->IsDirty());
    const MouseModifiers mods = LeftButton();
    r.editor->OnMouseDown(kInnerLeft, RowOf(0.0), &mods);
    EXPECT_TRUE(preview->IsDirty());
}

TEST(CurveEditor, DrawCommitsOnlyWhileProcessingIsInactive)
{
    CurveEditorRig r;
    const MouseModifiers mods = LeftButton();
    r.rig.controller.processingActive = true;
    r.editor->OnMouseDown(kInnerLeft, RowOf(0.0), &mods);
    r.rig.graphics->Tick();
    EXPECT_TRUE(r.rig.controller.log.empty());
    EXPECT_TRUE(r.editor->State().drawn.load());
    r.rig.controller.processingActive = false;
    r.editor->SetDirty(false);
    r.rig.graphics->Tick();
    r.editor->SetDirty(false);
    r.rig.graphics->Tick();
    EXPECT_EQ(r.rig.controller.log, Texts{"commit"});
    EXPECT_FALSE(r.editor->State().drawn.load());
}

struct PopupCase
{
    const char* name;
    int item;
    std::string dialogPath;
    std::string lastCurveFile;
    Texts expected;
};

class CurveEditorPopupTest : public testing::TestWithParam<PopupCase>
{
};

TEST_P(CurveEditorPopupTest, RunsTheChosenItem)
{
    const PopupCase& c = GetParam();
    CurveEditorRig r;
    r.rig.controller.curveFilePath = c.lastCurveFile;
    r.rig.graphics->Choose({c.item});
    r.rig.graphics->ScriptFileName(c.dialogPath);
    const MouseModifiers mods = RightButton();
    r.editor->OnMouseDown(kInnerLeft, RowOf(0.0), &mods);
    EXPECT_EQ(r.rig.controller.log, c.expected) << c.name;
    EXPECT_EQ(r.rig.graphics->shown.back().items.size(), 25u);
    EXPECT_FALSE(r.editor->State().drawn.load());
    EXPECT_EQ(r.rig.controller.drawingsPrepared, 0);
}

INSTANTIATE_TEST_SUITE_P(
    Items, CurveEditorPopupTest,
    testing::Values(PopupCase{"first action", 0, "", "", {"action 0"}},
                    PopupCase{"last action", 19, "", "", {"action 19"}},
                    PopupCase{"separator", 20, "a.csv", "", {}},
                    PopupCase{"import csv", 21, "/c/a.csv", "", {"import-csv /c/a.csv"}},
                    PopupCase{"import wav", 22, "/c/a.wav", "/c/old.wav", {"import-wav /c/a.wav"}},
                    PopupCase{"export csv", 23, "/c/b.csv", "", {"export-csv /c/b.csv"}},
                    PopupCase{"export wav", 24, "/c/b.wav", "", {"export-wav /c/b.wav"}},
                    PopupCase{"cancelled dialog", 21, "", "/c/old.csv", {}}),
    [](const testing::TestParamInfo<PopupCase>& info) { return "case" + std::to_string(info.index); });

// Segment i joins points i - 1 and i and is shaded by its own position: the first segment of
// the bright curve starts at grey 92, and nothing is drawn left of the first point.
TEST(CurveEditor, DrawsOneSegmentLessThanItHasColumns)
{
    for (const int columns : {1, 2})
    {
        ControlTestRig rig;
        const BitmapStrip strip{nullptr, 20, 20, 1, false};
        DisplayCurve flat(columns);
        for (int i = 0; i < columns; ++i)
            flat.Set(i, 0.0);
        auto* editor = rig.Add(new IWzDistortionCurveEditor(&rig.plug, &rig.controller, &flat, nullptr, 0, columns, &strip));
        rig.graphics->ClearCanvas();
        rig.graphics->Tick();
        PIX_IBitmap* bitmap = rig.graphics->GetDrawBitmap();
        const Rect& inner = editor->InnerRect();
        const int middle = inner.top + inner.Height() / 2;
        auto at = [&](int x) { return bitmap->GetPixelData()[middle * bitmap->GetRowStride() + x]; };
        EXPECT_EQ(at(inner.left - 1), 0u) << columns;
        EXPECT_EQ(at(inner.left), columns == 1 ? 0u : 0xFF5C5C5Cu) << columns;
    }
}

TEST(CurveEditor, ClosedPopupChangesNothing)
{
    CurveEditorRig r;
    const MouseModifiers mods = RightButton();
    r.editor->OnMouseDown(kInnerLeft, RowOf(0.0), &mods);
    EXPECT_TRUE(r.rig.controller.log.empty());
    EXPECT_EQ(r.rig.graphics->shown.back().items[9], "Add Noise");
}
} // namespace
