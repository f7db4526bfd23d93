#include "tests/graphics/ProbeControl.h"
#include "tests/graphics_support/HeadlessGraphics.h"
#include "tests/graphics_support/RecordingPlug.h"

#include "graphics/IKnobMultiControl.h"

#include <gtest/gtest.h>

namespace
{
using Strings = std::vector<std::string>;

const MouseModifiers kLeft{true, false, false, false, false};
const MouseModifiers kRight{false, true, false, false, false};

// Three stacked controls: a background (0), a bound control (1) and one on top of it (2).
class InputRoutingTest : public testing::Test
{
protected:
    void SetUp() override
    {
        plug.GetParam(3)->InitContinuous("p3", 0.5, 0.0, 1.0, 0.0, "", "", 1.0);
        graphics->AddControl(background);
        graphics->AddControl(bound);
        graphics->AddControl(top);
    }

    RecordingPlug plug;
    HeadlessGraphics* graphics = plug.Attach(new HeadlessGraphics(&plug));
    ProbeControl* background = new ProbeControl(&plug, {0, 0, 650, 830});
    ProbeControl* bound = new ProbeControl(&plug, {10, 10, 60, 60}, 3);
    ProbeControl* top = new ProbeControl(&plug, {40, 40, 80, 80});
};

TEST_F(InputRoutingTest, APressGoesToTheTopmostVisibleUngreyedControlHit)
{
    struct Case
    {
        const char* name;
        bool hideTop;
        bool greyTop;
        int x, y;
        int expectedCapture;
    };
    const Case cases[] = {
        {"overlap picks the later control", false, false, 45, 45, 2},
        {"hidden top is skipped", true, false, 45, 45, 1},
        {"greyed top is skipped", false, true, 45, 45, 1},
        {"only the background", false, false, 200, 200, 0},
        {"right edge is exclusive", false, false, 60, 20, 0},
        {"outside the editor", false, false, 700, 900, -1},
    };
    for (const Case& c : cases)
    {
        top->Hide(c.hideTop);
        top->GrayOut(c.greyTop);
        graphics->HandleMouseDown(c.x, c.y, &kLeft);
        EXPECT_EQ(graphics->GetCapturedControl(), c.expectedCapture) << c.name;
        graphics->HandleMouseUp(c.x, c.y, &kLeft);
    }
}

TEST_F(InputRoutingTest, ABoundControlsGestureIsBracketedByBeginAndEndEdit)
{
    const BitmapStrip strip{nullptr, 50, 100, 1, false};
    auto* knob = new IKnobMultiControl(&plug, 100, 100, 3, &strip, IKnobControl::kVertical, 1.0);
    graphics->AddControl(knob);
    graphics->ShowParamValue(3, 0.5, true);
    graphics->HandleMouseDown(120, 150, &kLeft);
    graphics->HandleMouseDrag(120, 140, &kLeft);
    graphics->HandleMouseDrag(120, 140, &kLeft);  // no movement: nothing
    graphics->HandleMouseDrag(125, 130, &kLeft);
    graphics->HandleMouseUp(125, 130, &kLeft);
    EXPECT_EQ(plug.events, (Strings{"begin 3", "automate 3 0.6", "automate 3 0.7", "end 3"}));
}

TEST_F(InputRoutingTest, DragsGoToTheCapturedControlOnlyWithDeltasFromTheLastPosition)
{
    graphics->HandleMouseDown(20, 20, &kLeft);
    graphics->HandleMouseDrag(300, 25, &kLeft);
    graphics->HandleMouseDrag(290, 45, &kLeft);
    graphics->HandleMouseUp(290, 45, &kLeft);
    EXPECT_EQ(bound->calls, (Strings{"down 20,20", "drag 280,5", "drag -10,20", "up 290,45"}));
    EXPECT_TRUE(top->calls.empty());
}

TEST_F(InputRoutingTest, APressOnNothingLeavesNoCaptureAndTheReleaseGoesToTheControlHitWithoutEndEdit)
{
    graphics->HandleMouseDown(700, 900, &kLeft);
    graphics->HandleMouseDrag(20, 20, &kLeft);
    graphics->HandleMouseUp(20, 20, &kLeft);
    EXPECT_EQ(bound->calls, Strings{"up 20,20"});
    EXPECT_TRUE(plug.events.empty());
}

TEST_F(InputRoutingTest, EveryBeginEditGetsExactlyOneEnd)
{
    struct Case
    {
        const char* name;
        bool doubleClickAsPress;
        Strings expected;
    };
    const Case cases[] = {
        {"double click as press opens a gesture", true, {"begin 3", "end 3"}},
        {"plain double click opens none", false, {}},
    };
    for (const Case& c : cases)
    {
        plug.events.clear();
        bound->SetDoubleClickAsPress(c.doubleClickAsPress);
        EXPECT_EQ(graphics->HandleMouseDoubleClick(20, 20, &kLeft), c.doubleClickAsPress) << c.name;
        graphics->HandleMouseUp(20, 20, &kLeft);
        // A second release without a press ends nothing.
        graphics->HandleMouseUp(20, 20, &kLeft);
        EXPECT_EQ(plug.events, c.expected) << c.name;
    }
    // A press that follows a press without its release first closes the open gesture.
    plug.events.clear();
    graphics->HandleMouseDown(20, 20, &kLeft);
    graphics->HandleMouseDown(20, 20, &kLeft);
    graphics->HandleMouseUp(20, 20, &kLeft);
    EXPECT_EQ(plug.events, (Strings{"begin 3", "end 3", "begin 3", "end 3"}));
}

TEST(InputRouting, TheVst3RightPressOnABoundControlOnlyOpensTheHostMenu)
{
    RecordingPlug plug(IEffectBase::kPluginApiVst3);
    auto* graphics = plug.Attach(new HeadlessGraphics(&plug));
    auto* bound = new ProbeControl(&plug, {0, 0, 10, 10}, 3);
    auto* unbound = new ProbeControl(&plug, {20, 0, 30, 10});
    graphics->AddControl(bound);
    graphics->AddControl(unbound);

    graphics->HandleMouseDown(5, 5, &kRight);
    EXPECT_EQ(graphics->GetCapturedControl(), -1);
    graphics->HandleMouseUp(5, 5, &kRight);
    graphics->HandleMouseDown(25, 5, &kRight);
    EXPECT_EQ(plug.events, Strings{"context 3"});
    EXPECT_EQ(bound->calls, Strings{"up 5,5"});
    EXPECT_EQ(unbound->calls, Strings{"down 25,5"});
}

TEST_F(InputRoutingTest, HoverSkipsGreyedControlsUnlessTheyTakeHoverAndReportsMouseOut)
{
    EXPECT_FALSE(graphics->HandleMouseOver(45, 45, &kLeft));
    graphics->SetMouseOverHandling(true);
    top->GrayOut(true);
    EXPECT_TRUE(graphics->HandleMouseOver(45, 45, nullptr));
    EXPECT_EQ(graphics->GetMouseOver(), 1);
    top->SetHoverWhileGreyed(true);
    graphics->HandleMouseOver(46, 46, nullptr);
    EXPECT_EQ(graphics->GetMouseOver(), 2);
    EXPECT_EQ(bound->calls, (Strings{"over 45,45", "out"}));
    EXPECT_EQ(top->calls, Strings{"over 46,46"});
    graphics->HandleMouseLeave();
    EXPECT_EQ(graphics->GetMouseOver(), -1);
}

TEST_F(InputRoutingTest, KeysGoToTheControlUnderTheMouseThenTheKeyCatcherNeverTheBackground)
{
    auto* catcher = new ProbeControl(&plug, {});
    graphics->SetKeyCatcher(catcher);
    EXPECT_FALSE(graphics->HandleKeyDown(200, 200, 5));  // over the background only
    EXPECT_TRUE(background->calls.empty());
    EXPECT_EQ(catcher->calls, Strings{"key 5,0"});

    bound->takesKeys = true;
    EXPECT_TRUE(graphics->HandleKeyDown(20, 20, 6));
    EXPECT_EQ(bound->calls, Strings{"key 6,0"});
    EXPECT_EQ(catcher->calls.size(), 1u);

    catcher->takesKeys = true;
    EXPECT_TRUE(graphics->HandleKeyDown(45, 45, 7));
    EXPECT_EQ(top->calls, Strings{"key 7,0"});
    EXPECT_EQ(catcher->calls.back(), "key 7,0");
}

TEST_F(InputRoutingTest, TheWheelGoesToTheCapturedControlElseTheTopmostHit)
{
    graphics->HandleMouseWheel(45, 45, nullptr, 2);
    graphics->HandleMouseDown(20, 20, &kLeft);
    graphics->HandleMouseWheel(45, 45, nullptr, -1);
    EXPECT_EQ(top->calls, Strings{"wheel 2,0"});
    EXPECT_EQ(bound->calls, (Strings{"down 20,20", "wheel -1,0"}));
}
}
