#include "dsp/units/path/EnvFollower.h"
#include "editor/IBandFreqDispay.h"
#include "editor/IWzVuEyeDrawer.h"
#include "graphics/PIX_IBitmap.h"
#include "tests/editor_controls/ControlTestRig.h"

#include <gtest/gtest.h>

using Wezmark::IBandFreqDispay;

namespace
{
uint32_t PixelAt(IGraphics& graphics, int x, int y)
{
    PIX_IBitmap* bitmap = graphics.GetDrawBitmap();
    return bitmap->GetPixelData()[y * bitmap->GetRowStride() + x];
}

// One point per pixel between the insets; each band is asked twice (bars, then line).
TEST(BandDisplay, AsksOnePointPerInnerColumn)
{
    ControlTestRig rig;
    const BitmapStrip strip{nullptr, 140, 38, 1, false};
    rig.Add(new IBandFreqDispay(&rig.plug, 0, 0, &strip, &rig.controller));
    rig.controller.bandValues = {2.0, -1.0};
    rig.graphics->ClearCanvas();
    rig.graphics->Tick();
    EXPECT_EQ(rig.controller.bandCounts, (std::vector<int>{130, 130, 130, 130}));
    // Clamped to full height: the first column's bar reaches 10 - 18 = 28 pixels above the bottom.
    EXPECT_NE(PixelAt(*rig.graphics, 5, 38 - 10 - 18), 0u);
    EXPECT_EQ(PixelAt(*rig.graphics, 5, 38 - 10 - 18 - 1), 0u);
}

// A display no wider or taller than its insets has no room for a curve.
TEST(BandDisplay, TooSmallDrawsNoCurve)
{
    for (const BitmapStrip strip : {BitmapStrip{nullptr, 10, 38, 1, false}, BitmapStrip{nullptr, 6, 38, 1, false},
                                    BitmapStrip{nullptr, 140, 20, 1, false}})
    {
        ControlTestRig rig;
        rig.Add(new IBandFreqDispay(&rig.plug, 0, 0, &strip, &rig.controller));
        rig.graphics->ClearCanvas();
    rig.graphics->Tick();
        EXPECT_TRUE(rig.controller.bandCounts.empty()) << strip.width << " x " << strip.height;
    }
}

TEST(VuEye, GlowsWithItsChannelsEnvelope)
{
    ControlTestRig rig;
    Wezmark::EnvFollower envelope;
    envelope.envelopeLeft = -0.5;
    envelope.envelopeRight = 1.0;
    rig.Add(new IWzVuEyeDrawer(&rig.plug, Rect{0, 0, 20, 10}, &envelope, true));
    rig.Add(new IWzVuEyeDrawer(&rig.plug, Rect{30, 0, 50, 10}, &envelope, false));
    rig.graphics->ClearCanvas();
    rig.graphics->Tick();
    // The left eye fills its lower-left half, the right eye its lower-right half.
    EXPECT_EQ(PixelAt(*rig.graphics, 1, 8), 0xFF7F0000u);
    EXPECT_EQ(PixelAt(*rig.graphics, 18, 1), 0u);
    EXPECT_EQ(PixelAt(*rig.graphics, 48, 8), 0xFFFF0000u);
    EXPECT_EQ(PixelAt(*rig.graphics, 31, 1), 0u);
}

// Marked every block, an eye repaints only when the red it would show is not the red it shows.
TEST(VuEye, RepaintsOnlyWhenItsRedChanges)
{
    ControlTestRig rig;
    Wezmark::EnvFollower envelope;
    envelope.envelopeLeft = 0.5;
    IWzVuEyeDrawer* eye = rig.Add(new IWzVuEyeDrawer(&rig.plug, Rect{0, 0, 20, 10}, &envelope, true));
    rig.graphics->Tick();
    struct Step
    {
        const char* name;
        double level;
        bool hideFirst;
        bool repaints;
    };
    const Step steps[] = {
        {"the same level", 0.5, false, false},
        {"a level giving the same red", 0.501, false, false},
        {"a brighter red", 0.75, false, true},
        {"the same again", 0.75, false, false},
        {"shown again after hiding", 0.75, true, true},
        {"a negative envelope of the same size", -0.75, false, false},
    };
    for (const Step& step : steps)
    {
        if (step.hideFirst)
        {
            eye->Hide(true);
            rig.graphics->Tick();
            eye->Hide(false);
        }
        envelope.envelopeLeft = step.level;
        eye->SetDirty(true);
        EXPECT_EQ(!rig.graphics->Tick().IsEmpty(), step.repaints) << step.name;
    }
    EXPECT_EQ(PixelAt(*rig.graphics, 1, 8), 0xFFBF0000u);
}
} // namespace
