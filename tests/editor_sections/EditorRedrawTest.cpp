#include "graphics/IControl.h"
#include "graphics/PIX_IBitmap.h"
#include "plugin/ParamIndex.h"
#include "plugin/ScopeRedrawPace.h"
#include "tests/editor_sections/SectionsRig.h"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <vector>

// What the product's editor redraws on a redraw tick: nothing while nothing changed, only the
// scope while audio plays on the scope tab, only a parameter's own controls when it changes;
// and what a tick draws matches what a full redraw of the same state draws.
namespace
{
constexpr double kSineLevel = 0.5;
constexpr double kSineHz = 440.0;

std::vector<uint32_t> Pixels(IGraphics& graphics)
{
    PIX_IBitmap* bitmap = graphics.GetDrawBitmap();
    std::vector<uint32_t> pixels;
    for (int y = 0; y < bitmap->GetHeight(); ++y)
    {
        const uint32_t* row = bitmap->GetPixelData() + y * bitmap->GetRowStride();
        pixels.insert(pixels.end(), row, row + bitmap->GetWidth());
    }
    return pixels;
}

// Blocks of the rig that make up the audio of one frame of the scope.
int BlocksPerScopeFrame()
{
    return static_cast<int>(std::ceil(ScopeRedrawPace::kFrameSeconds * PluginRig::kRate / PluginRig::kBlock));
}

// The ticks it takes until nothing is left to draw, with an upper bound.
int TicksUntilClean(HeadlessGraphics& graphics)
{
    constexpr int kMostTicks = 10;
    int ticks = 0;
    while (ticks < kMostTicks && !graphics.Tick().IsEmpty())
        ++ticks;
    return ticks;
}

void RedrawEverything(HeadlessGraphics& graphics)
{
    for (int i = 0; i < graphics.GetControlCount(); ++i)
        graphics.GetControl(i)->SetDirty(false);
    TicksUntilClean(graphics);
}

struct TabCase
{
    const char* name;
    std::function<void(Zarvotone&)> show;
};

const TabCase kTabs[] = {
    {"plug-in tab", [](Zarvotone& plugin) { plugin.ShowPlugInTab(); }},
    {"scope tab", [](Zarvotone& plugin) { plugin.ShowScopeTab(); }},
    {"about tab", [](Zarvotone& plugin) { plugin.ShowAboutTab(); }},
};
}

TEST(EditorRedraw, AnIdleTickWithNothingChangedDrawsNothingOnAnyTab)
{
    SectionsRig rig;
    for (const TabCase& tab : kTabs)
    {
        tab.show(rig.plugin());
        TicksUntilClean(*rig.graphics);
        rig.graphics->paintedRects.clear();
        for (int tick = 0; tick < 3; ++tick)
            EXPECT_TRUE(rig.graphics->Tick().IsEmpty()) << tab.name;
        EXPECT_TRUE(rig.graphics->paintedRects.empty()) << tab.name;
    }
}

// A half-scale sine covers half of each lane: a scope frame repaints those rows and leaves the
// rest of the display as it is.
TEST(EditorRedraw, AudioOnTheScopeTabRedrawsOnlyTheScopeRowsTheTracesCover)
{
    SectionsRig rig;
    rig.plugin().ShowScopeTab();
    TicksUntilClean(*rig.graphics);
    const StereoSignal sine = MakeSine(PluginRig::kBlock, kSineHz, kSineLevel);
    rig.rig.Render(sine, PluginRig::kBlock);
    // The first block raises the level holds of the hidden plug-in tab; they do not show here.
    TicksUntilClean(*rig.graphics);
    const Rect scope = rig.plugin().Controls().scopeDrawer->GetDrawRect();
    // The scope scrolls at its own pace: a frame of it for every 80 ms of audio.
    for (int tick = 0; tick < 3; ++tick)
    {
        for (int block = 0; block < BlocksPerScopeFrame(); ++block)
            rig.rig.Render(sine, PluginRig::kBlock);
        rig.graphics->paintedRects.clear();
        const Rect drawn = rig.graphics->Tick();
        EXPECT_EQ(drawn.Intersection(scope), drawn) << "tick " << tick;
        int64_t painted = 0;
        for (const Rect& rect : rig.graphics->paintedRects)
            painted += int64_t{rect.Width()} * rect.Height();
        EXPECT_GT(painted, 0) << "tick " << tick;
        EXPECT_LT(painted, int64_t{scope.Width()} * scope.Height() * 3 / 4) << "tick " << tick;
    }
    const std::vector<uint32_t> ticked = Pixels(*rig.graphics);
    RedrawEverything(*rig.graphics);
    EXPECT_TRUE(ticked == Pixels(*rig.graphics));
}

TEST(EditorRedraw, AParameterChangeIsDrawnInOneTickThatCoversOnlyItsControls)
{
    SectionsRig rig;
    AEffect* effect = rig.plugin().GetEffect();
    effect->setParameter(effect, kParamInputVolume, 0.8f);
    const Rect drawn = rig.graphics->Tick();
    // The input volume's knob and its read-out below it.
    EXPECT_EQ(drawn, (Rect{50, 627, 110, 693}));
    EXPECT_TRUE(rig.graphics->Tick().IsEmpty());
}

TEST(EditorRedraw, ChangesDrawnTickByTickMatchAFullRedraw)
{
    SectionsRig rig;
    AEffect* effect = rig.plugin().GetEffect();
    const StereoSignal sine = MakeSine(PluginRig::kBlock, kSineHz, kSineLevel);
    for (const TabCase& tab : kTabs)
    {
        tab.show(rig.plugin());
        TicksUntilClean(*rig.graphics);
        for (int param : {static_cast<int>(kParamInputVolume), 9, 31, 37})
        {
            effect->setParameter(effect, param, 0.3f);
            rig.rig.Render(sine, PluginRig::kBlock);
            rig.graphics->Tick();
        }
        // The scope shows the ring up to a frame late; frozen, it gets its last frame once due.
        rig.plugin().SetFrozen(true);
        for (int block = 0; block < BlocksPerScopeFrame(); ++block)
            rig.rig.Render(sine, PluginRig::kBlock);
        TicksUntilClean(*rig.graphics);
        const std::vector<uint32_t> ticked = Pixels(*rig.graphics);
        RedrawEverything(*rig.graphics);
        EXPECT_TRUE(ticked == Pixels(*rig.graphics)) << tab.name;
        rig.plugin().SetFrozen(false);
    }
}
