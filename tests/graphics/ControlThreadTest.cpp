#include "tests/graphics_support/HeadlessGraphics.h"
#include "tests/graphics_support/RecordingPlug.h"
#include "tests/support/TestThread.h"

#include "graphics/BlockGlyphSource.h"
#include "graphics/ICaptionControl.h"
#include "graphics/IKnobMultiControl.h"
#include "graphics/ITextControl.h"
#include "graphics/PIX_MemBitmap.h"

#include <gtest/gtest.h>

#include <atomic>
#include <cstdio>

namespace
{
constexpr int kParams = 8;
constexpr int kChanges = 4000;

class BlockTextGraphics : public HeadlessGraphics
{
public:
    using HeadlessGraphics::HeadlessGraphics;
    PIX_IGlyphSource* CreateGlyphSource(const TextStyle& style) override { return new BlockGlyphSource(style.size); }
};

// The host's parameter thread (VST3: the audio thread) sets values, texts and tooltips while
// the UI thread runs timer ticks and draw passes; nothing may race and the last values win.
TEST(ControlThreads, ParameterChangesRunBesideTicksAndDrawPasses)
{
    RecordingPlug plug;
    for (int i = 0; i < kParams; ++i)
        plug.GetParam(i)->InitContinuous("Gain", 0.0, -24.0, 24.0, 0.0, "dB", "", 1.0);
    auto* graphics = plug.Attach(new BlockTextGraphics(&plug));
    PIX_MemBitmap strip;
    strip.SetSize(40, 40 * 16);
    const BitmapStrip knobStrip{&strip, 40, 40 * 16, 16, false};
    TextStyle style;
    style.SetFace("ZvThreadBlocks");
    ITextControl* readouts[kParams];
    for (int i = 0; i < kParams; ++i)
    {
        graphics->AddControl(new IKnobMultiControl(&plug, i * 50, 0, i, &knobStrip));
        graphics->AddControl(new ICaptionControl(&plug, {i * 50, 50, i * 50 + 50, 70}, i, &style, true));
        readouts[i] = new ITextControl(&plug, {i * 50, 80, i * 50 + 50, 100}, &style, "");
        graphics->AddControl(readouts[i]);
    }
    for (int i = 0; i < kParams; ++i)
        graphics->ShowParamValue(i, 0.0, true);

    // The changes start once the UI thread has ticked: a fast build could otherwise make them
    // all before its first tick, and the two would never run side by side.
    ThreadSignal ticked;
    std::atomic<bool> done{false};
    TestThread host(
        "the host's parameter thread",
        [&] {
            EXPECT_TRUE(ticked.Wait("the UI thread's first tick"));
            char text[32];
            for (int n = 1; n <= kChanges; ++n)
            {
                const int param = n % kParams;
                const double value = (n % 101) / 100.0;
                graphics->ShowParamValue(param, value, true);
                std::snprintf(text, sizeof(text), "%d", n);
                readouts[param]->SetTextFromPlug(text);
                graphics->GetControl(param * 3)->SetTooltip(text);
            }
            done.store(true);
        },
        [&] { ticked.Raise(); });
    int ticks = 0;
    char tooltip[32];
    const auto tick = [&] {
        graphics->Tick();
        graphics->GetControl(ticks % (3 * kParams))->GetTooltip(tooltip, sizeof(tooltip));
        ++ticks;
        ticked.Raise();
    };
    ASSERT_TRUE(WaitUntil([&] { return done.load(); }, "the host thread's changes", tick));
    host.Join();
    ASSERT_TRUE(WaitUntil([&] { return graphics->Tick() == Rect{}; }, "a tick that finds nothing left to redraw"));

    for (int n = kChanges - kParams + 1; n <= kChanges; ++n)
    {
        const int param = n % kParams;
        EXPECT_EQ(graphics->GetControl(param * 3)->GetValue(), (n % 101) / 100.0);
        EXPECT_TRUE(readouts[param]->TextEquals(std::to_string(n).c_str()));
    }
    EXPECT_GT(ticks, 0);
}
}
