#include "graphics/DirtyArea.h"
#include "tests/graphics/ProbeControl.h"
#include "tests/graphics_support/HeadlessGraphics.h"
#include "tests/graphics_support/RecordingPlug.h"

#include <gtest/gtest.h>

namespace
{
// Gets a new value from the host while it is being drawn, once.
class ChangingProbe : public ProbeControl
{
public:
    using ProbeControl::ProbeControl;
    bool Draw(IGraphics* graphics) override
    {
        if (changeWhileDrawing >= 0.0)
            SetValueFromPlug(changeWhileDrawing);
        changeWhileDrawing = -1.0;
        return ProbeControl::Draw(graphics);
    }
    double changeWhileDrawing = -1.0;
};

class DrawPassTest : public testing::Test
{
protected:
    void SetUp() override
    {
        for (ProbeControl* control : {left, right, bottom})
            graphics->AddControl(control);
        // The first values only set the defaults.
        for (int param = 1; param <= 3; ++param)
            graphics->ShowParamValue(param, 0.0, true);
        graphics->Tick();
        for (ProbeControl* control : {left, right, bottom})
            control->draws = 0;
    }

    RecordingPlug plug;
    HeadlessGraphics* graphics = plug.Attach(new HeadlessGraphics(&plug));
    ProbeControl* left = new ProbeControl(&plug, {0, 0, 100, 100}, 1);
    ProbeControl* right = new ProbeControl(&plug, {200, 0, 300, 100}, 2);
    ProbeControl* bottom = new ProbeControl(&plug, {0, 500, 650, 600}, 3);
};

TEST_F(DrawPassTest, EveryControlIsDirtyUntilTheFirstPassAndIdleTicksDrawNothing)
{
    EXPECT_EQ(graphics->Tick(), Rect{});
    EXPECT_EQ(left->draws + right->draws + bottom->draws, 0);
}

TEST_F(DrawPassTest, AChangedControlIsDrawnOnceThenSettles)
{
    graphics->ShowParamValue(2, 0.5, true);
    EXPECT_EQ(graphics->Tick(), (Rect{200, 0, 300, 100}));
    EXPECT_EQ(graphics->Tick(), Rect{});
    EXPECT_EQ(right->draws, 1);
    EXPECT_EQ(left->draws + bottom->draws, 0);
}

// A value the host stores while the control is being drawn may be missing from that draw.
TEST_F(DrawPassTest, AChangeArrivingDuringItsDrawIsDrawnOnTheNextTick)
{
    auto* changing = new ChangingProbe(&plug, {400, 0, 450, 50}, 4);
    graphics->AddControl(changing);
    graphics->ShowParamValue(4, 0.0, true);
    graphics->Tick();
    changing->draws = 0;
    changing->changeWhileDrawing = 0.25;
    graphics->ShowParamValue(4, 0.5, true);
    EXPECT_EQ(graphics->Tick(), (Rect{400, 0, 450, 50}));
    EXPECT_EQ(graphics->Tick(), (Rect{400, 0, 450, 50}));
    EXPECT_EQ(graphics->Tick(), Rect{});
    EXPECT_EQ(changing->draws, 2);
}

// Marked after the timer took the dirty rectangle, outside what is then painted.
TEST_F(DrawPassTest, AControlMarkedOutsideThePaintedAreaKeepsItsMark)
{
    graphics->ShowParamValue(1, 0.5, true);
    DirtyArea dirty;
    ASSERT_TRUE(graphics->CollectDirtyArea(&dirty));
    ASSERT_EQ(dirty.Count(), 1);
    graphics->ShowParamValue(3, 0.5, true);
    graphics->DrawDirty(&dirty[0]);
    EXPECT_EQ(graphics->Tick(), (Rect{0, 500, 650, 600}));
    EXPECT_EQ(bottom->draws, 1);
}

TEST_F(DrawPassTest, AControlThatStaysHiddenPaintsNothingUntilShown)
{
    left->Hide(true);
    EXPECT_EQ(graphics->Tick(), (Rect{0, 0, 100, 100}));
    graphics->ShowParamValue(1, 0.5, true);
    EXPECT_EQ(graphics->Tick(), Rect{});
    left->Hide(false);
    EXPECT_EQ(graphics->Tick(), (Rect{0, 0, 100, 100}));
    EXPECT_EQ(left->draws, 1);
}

TEST_F(DrawPassTest, ADirtyControlWithoutARectPaintsNothingAndWidensNothing)
{
    auto* unplaced = new ProbeControl(&plug, {}, 5);
    graphics->AddControl(unplaced);
    graphics->Tick();
    graphics->ShowParamValue(5, 0.5, true);
    EXPECT_EQ(graphics->Tick(), Rect{});
    graphics->ShowParamValue(5, 0.75, true);
    graphics->ShowParamValue(2, 0.5, true);
    EXPECT_EQ(graphics->Tick(), (Rect{200, 0, 300, 100}));
    EXPECT_EQ(unplaced->draws, 0);
}

TEST_F(DrawPassTest, OnlyVisibleControlsMeetingTheInvalidRectAreDrawn)
{
    struct Case
    {
        const char* name;
        Rect invalid;
        bool hideLeft;
        int left, right, bottom;
    };
    const Case cases[] = {
        {"the union of two dirty controls", {0, 0, 300, 100}, false, 1, 1, 0},
        {"ending on a control's left edge meets it", {150, 50, 200, 60}, false, 0, 1, 0},
        {"starting on a control's right edge does not", {100, 50, 150, 60}, false, 0, 0, 0},
        {"hidden controls are skipped", {0, 0, 300, 100}, true, 0, 1, 0},
        {"an empty rect draws nothing", {}, false, 0, 0, 0},
        {"below everything", {0, 700, 650, 830}, false, 0, 0, 0},
    };
    for (const Case& c : cases)
    {
        left->Hide(c.hideLeft);
        for (ProbeControl* control : {left, right, bottom})
            control->draws = 0;
        graphics->DrawDirty(&c.invalid);
        EXPECT_EQ(left->draws, c.left) << c.name;
        EXPECT_EQ(right->draws, c.right) << c.name;
        EXPECT_EQ(bottom->draws, c.bottom) << c.name;
        EXPECT_EQ(graphics->paintedRects.back(), c.invalid) << c.name;
    }
}

TEST_F(DrawPassTest, FarApartDirtyControlsArePaintedApart)
{
    left->SetDirty(false);
    bottom->SetDirty(false);
    graphics->paintedRects.clear();
    EXPECT_EQ(graphics->Tick(), (Rect{0, 0, 650, 600}));
    EXPECT_EQ(graphics->paintedRects, (std::vector<Rect>{{0, 0, 100, 100}, {0, 500, 650, 600}}));
    EXPECT_EQ(left->draws, 1);
    EXPECT_EQ(bottom->draws, 1);
    EXPECT_EQ(right->draws, 0);
}

TEST_F(DrawPassTest, HidingAndGreyingMarkTheControlForRedraw)
{
    right->Hide(true);
    EXPECT_EQ(graphics->Tick(), (Rect{200, 0, 300, 100}));
    EXPECT_EQ(right->draws, 0);
    left->GrayOut(true);
    EXPECT_EQ(left->GetBlend().weight, 0.25f);
    EXPECT_EQ(graphics->Tick(), (Rect{0, 0, 100, 100}));
    EXPECT_EQ(left->draws, 1);
}

TEST(DrawPass, AnEditorWithoutControlsPaintsNothing)
{
    RecordingPlug plug;
    auto* graphics = plug.Attach(new HeadlessGraphics(&plug));
    const Rect all{0, 0, 650, 830};
    EXPECT_TRUE(graphics->DrawDirty(&all));
    EXPECT_TRUE(graphics->paintedRects.empty());
}
}
