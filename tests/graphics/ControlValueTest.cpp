#include "tests/graphics_support/HeadlessGraphics.h"
#include "tests/graphics_support/RecordingPlug.h"

#include "graphics/IBitmapControl.h"
#include "graphics/IContactControl.h"
#include "graphics/IFaderControl.h"
#include "graphics/IFileSelectorControl.h"
#include "graphics/IKnobMultiControl.h"
#include "graphics/ISwitchControl.h"
#include "graphics/PIX_MemBitmap.h"

#include <gtest/gtest.h>

namespace
{
const MouseModifiers kLeft{true, false, false, false, false};
const MouseModifiers kShift{true, false, true, false, false};
const MouseModifiers kControl{true, false, false, true, false};

BitmapStrip Strip(int width, int height, int frames, bool sideBySide = false)
{
    return BitmapStrip{nullptr, width, height, frames, sideBySide};
}

TEST(ControlValue, ASwitchStepsOneFramePerPressAndWraps)
{
    struct Case
    {
        int frames;
        std::vector<double> values;
    };
    const Case cases[] = {
        {3, {0.5, 1.0, 0.0, 0.5}},
        {2, {1.0, 0.0, 1.0}},
        {1, {1.0, 0.0}},
        {5, {0.25, 0.5, 0.75, 1.0, 0.0}},
    };
    for (const Case& c : cases)
    {
        const BitmapStrip strip = Strip(10, 10 * c.frames, c.frames);
        ISwitchControl control(nullptr, 0, 0, -1, &strip);
        for (double expected : c.values)
        {
            control.OnMouseDown(0, 0, &kLeft);
            EXPECT_DOUBLE_EQ(control.GetValue(), expected) << c.frames << " frames";
        }
    }
}

TEST(ControlValue, AContactReturnsToZeroOnRelease)
{
    const BitmapStrip strip = Strip(10, 20, 2);
    IContactControl control(nullptr, 0, 0, -1, &strip);
    control.OnMouseDown(0, 0, &kLeft);
    EXPECT_EQ(control.GetValue(), 1.0);
    control.OnMouseUp(0, 0, &kLeft);
    EXPECT_EQ(control.GetValue(), 0.0);
}

TEST(ControlValue, TheFrameIsChosenFromTheValueAlongTheStrip)
{
    struct Case
    {
        int frames;
        bool sideBySide;
        double value;
        int x, y;
    };
    const Case cases[] = {
        {5, false, 0.37, 0, 20},   // frame trunc(4 * 0.37 + 0.5) + 1 = 2 of a 100-pixel strip
        {5, false, 0.0, 0, 0},
        {5, false, 1.0, 0, 80},
        {5, false, 7.0, 0, 80},    // clamped to the last frame
        {5, false, -3.0, 0, 0},
        {3, true, 0.5, 50, 0},     // frame 2 of a 150-pixel row: trunc(150 * 1 / 3 + 0.5)
        {7, false, 0.5, 0, 43},    // trunc(100 * 3 / 7 + 0.5): rounded, not truncated
        {1, false, 0.9, 0, 0},
    };
    for (const Case& c : cases)
    {
        const BitmapStrip strip = c.sideBySide ? Strip(150, 20, c.frames, true) : Strip(20, 100, c.frames);
        int x = -1;
        int y = -1;
        IBitmapControl::FramePosition(strip, c.value, &x, &y);
        EXPECT_EQ(x, c.x) << c.frames << " frames at " << c.value;
        EXPECT_EQ(y, c.y) << c.frames << " frames at " << c.value;
    }
}

TEST(ControlValue, KnobDragsFollowDirectionAndGearingWithFineModifiers)
{
    struct Case
    {
        int direction;
        double gearing;
        const MouseModifiers* mods;
        int dx, dy;
        double change;
    };
    const Case cases[] = {
        {IKnobControl::kVertical, 1.0, &kLeft, 0, -50, 0.5},    // up raises
        {IKnobControl::kVertical, 1.0, &kLeft, 30, 10, -0.1},   // x ignored
        {IKnobControl::kVertical, 2.0, &kLeft, 0, -50, 0.25},
        {IKnobControl::kVertical, 2.0, &kShift, 0, -50, 0.025},
        {IKnobControl::kVertical, 2.0, &kControl, 0, -50, 0.025},
        {IKnobControl::kHorizontal, 1.0, &kLeft, 20, -40, 0.4},  // right raises, over 50 pixels
        {IKnobControl::kHorizontal, 4.0, &kLeft, -25, 0, -0.125},
    };
    const BitmapStrip strip = Strip(50, 100 * 10, 10);
    for (const Case& c : cases)
    {
        IKnobMultiControl knob(nullptr, 0, 0, -1, &strip, c.direction, c.gearing);
        knob.SetValueFromPlug(0.5);
        knob.OnMouseDrag(0, 0, c.dx, c.dy, c.mods);
        EXPECT_NEAR(knob.GetValue(), 0.5 + c.change, 1e-12) << c.direction << " " << c.gearing;
    }
}

TEST(ControlValue, TheWheelStepsAndTheResultIsClamped)
{
    struct Case
    {
        const MouseModifiers* mods;
        int notches;
        double start;
        double expected;
    };
    const Case cases[] = {
        {&kLeft, 3, 0.5, 0.53}, {&kShift, 3, 0.5, 0.503}, {&kControl, -2, 0.5, 0.498},
        {&kLeft, 10, 0.95, 1.0}, {&kLeft, -10, 0.05, 0.0},
    };
    const BitmapStrip strip = Strip(50, 50, 1);
    for (const Case& c : cases)
    {
        IKnobMultiControl knob(nullptr, 0, 0, -1, &strip);
        IFaderControl fader(nullptr, {0, 0, 10, 100}, -1, &strip, 100);
        for (IControl* control : {static_cast<IControl*>(&knob), static_cast<IControl*>(&fader)})
        {
            control->SetValueFromPlug(c.start);
            control->OnMouseWheel(0, 0, c.mods, c.notches);
            EXPECT_NEAR(control->GetValue(), c.expected, 1e-12) << c.notches << " from " << c.start;
        }
    }
}

TEST(ControlValue, AFaderSnapsItsHandleCentreToTheMouse)
{
    // A 10 x 20 handle on a 120-pixel track: 100 usable pixels, half a handle is 10.
    const BitmapStrip handle = Strip(10, 20, 1);
    struct Case
    {
        int direction;
        int x, y;
        double value;
        Rect handleRect;
    };
    const Case cases[] = {
        {IFaderControl::kVertical, 5, 60, 0.5, {0, 50, 10, 70}},
        {IFaderControl::kVertical, 5, 10, 1.0, {0, 0, 10, 20}},
        {IFaderControl::kVertical, 5, 0, 1.0, {0, 0, 10, 20}},       // clamped
        {IFaderControl::kVertical, 5, 130, 0.0, {0, 100, 10, 120}},
        {IFaderControl::kHorizontal, 35, 5, 0.25, {25, 0, 35, 20}},
        {IFaderControl::kHorizontal, 200, 5, 1.0, {100, 0, 110, 20}},
    };
    for (const Case& c : cases)
    {
        const Rect track = c.direction == IFaderControl::kVertical ? Rect{0, 0, 10, 120} : Rect{0, 0, 120, 20};
        IFaderControl fader(nullptr, track, -1, &handle, 120, c.direction, 20);
        fader.OnMouseDown(c.x, c.y, &kLeft);
        EXPECT_DOUBLE_EQ(fader.GetValue(), c.value) << c.x << "," << c.y;
        EXPECT_EQ(fader.GetHandleRect(), c.handleRect) << c.x << "," << c.y;
    }
}

TEST(ControlValue, AFaderHitOnItsHandleOnlyIgnoresItsTrack)
{
    const BitmapStrip handle = Strip(10, 20, 1);
    IFaderControl fader(nullptr, {0, 0, 10, 120}, -1, &handle, 120, IFaderControl::kVertical, 20, true);
    fader.SetValueFromPlug(1.0);
    EXPECT_TRUE(fader.IsHit(5, 5));
    EXPECT_FALSE(fader.IsHit(5, 60));
    const BitmapStrip none;
    IFaderControl empty(nullptr, {0, 0, 10, 120}, -1, &none, 120, IFaderControl::kVertical, 0, true);
    EXPECT_FALSE(empty.IsHit(0, 0));
}

TEST(ControlValue, GreyingOutSetsTheWeightWhateverTheConstructorGave)
{
    const BitmapStrip strip = Strip(10, 10, 1);
    IKnobMultiControl knob(nullptr, 0, 0, -1, &strip, IKnobControl::kVertical, 1.0, BlendSpec{BlendSpec::kAdd, 0.6f});
    knob.GrayOut(true);
    EXPECT_EQ(knob.GetBlend().weight, 0.25f);
    knob.GrayOut(false);
    EXPECT_EQ(knob.GetBlend().weight, 1.0f);
    EXPECT_EQ(knob.GetBlend().method, BlendSpec::kAdd);
}

TEST(ControlValue, AFileSelectorTogglesItsValueAndRepaintsOnceAfterTheDialog)
{
    RecordingPlug plug;
    plug.GetParam(7)->InitContinuous("file", 0.0, 0.0, 1.0, 0.0, "", "", 1.0);
    auto* graphics = plug.Attach(new HeadlessGraphics(&plug));
    auto* selector = new IFileSelectorControl(&plug, {0, 0, 20, 20}, 7, nullptr, IFileSelectorControl::kOpen, "",
                                              "wz xjq fxp");
    graphics->AddControl(selector);
    graphics->ScriptFileName("presets/warm.wz");
    graphics->Tick();

    selector->OnMouseDown(5, 5, &kLeft);
    EXPECT_STREQ(selector->GetPath(), "presets/warm.wz");
    EXPECT_STREQ(selector->GetFolder(), "presets/");
    EXPECT_EQ(selector->GetValue(), 1.0);
    EXPECT_EQ(plug.events, std::vector<std::string>{"automate 7 1"});
    graphics->Tick();
    EXPECT_TRUE(selector->IsDirty());  // the report after the dialog
    EXPECT_FALSE(selector->IsDirty());
    selector->OnMouseDown(5, 5, &kLeft);
    EXPECT_STREQ(selector->GetPath(), "");  // cancelled
    EXPECT_EQ(selector->GetValue(), 0.0);
}
}
