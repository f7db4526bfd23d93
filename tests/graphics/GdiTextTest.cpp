#include "tests/graphics_support/HeadlessGraphics.h"
#include "tests/graphics_support/RecordingPlug.h"

#include "graphics/PIX_CachedFont.h"
#include "graphics/PIX_IBitmap.h"
#include "graphics/win32/GdiGlyphSource.h"
#include "graphics/win32/RunningUnderWine.h"

#include <gtest/gtest.h>

namespace
{
constexpr uint32_t kPaper = 0xFFFFFFFFu;

TextStyle Style(int alignment)
{
    TextStyle style;
    style.SetFace("Tahoma");
    style.size = 16;
    style.alignment = alignment;
    style.colour = {255, 200, 0, 0};
    return style;
}

// Runs first, before any font of the process is cached for good.
TEST(GdiText, TheSharedRenderSurfaceLivesAsLongAsAGdiFont)
{
    ASSERT_EQ(GdiGlyphSource::SharedSurfaceCount(), 0);
    const TextStyle style = Style(TextStyle::kAlignLeft);
    {
        PIX_CachedFont font;
        font.SetFont(GdiGlyphSource::Create(style), PIX_IFont::kFontOwned);
        EXPECT_EQ(GdiGlyphSource::SharedSurfaceCount(), 1);
        EXPECT_GT(font.GetLineHeight(), 10);
    }
    EXPECT_EQ(GdiGlyphSource::SharedSurfaceCount(), 0);
    PIX_CachedFont again;
    again.SetFont(GdiGlyphSource::Create(style), PIX_IFont::kFontOwned);
    EXPECT_EQ(GdiGlyphSource::SharedSurfaceCount(), 1);
}

TEST(GdiText, TheWineCheckFindsWine)
{
    EXPECT_TRUE(RunningUnderWine());
}

TEST(GdiText, RealGlyphsDrawInkOfTheTextColourInsideTheMeasuredBox)
{
    RecordingPlug plug;
    auto* graphics = plug.Attach(new HeadlessGraphics(&plug));
    PIX_IBitmap* bitmap = graphics->GetDrawBitmap();
    const ArgbColour white{255, 255, 255, 255};
    const Rect all{0, 0, bitmap->GetWidth(), bitmap->GetHeight()};
    for (int alignment : {TextStyle::kAlignLeft, TextStyle::kAlignCentre, TextStyle::kAlignRight})
    {
        graphics->FillRect(&white, &all, nullptr);
        TextStyle style = Style(alignment);
        Rect box{100, 100, 400, 140};
        graphics->DrawText(&style, "Zarvotone 1.1", &box);
        ASSERT_TRUE(graphics->MeasureText(&style, "Zarvotone 1.1", &box));
        EXPECT_GT(box.Width(), 60) << alignment;
        EXPECT_GE(box.Height(), 14) << alignment;

        int ink = 0;
        int outside = 0;
        const uint32_t* pixels = bitmap->GetPixelData();
        for (int y = 80; y < 160; ++y)
        {
            for (int x = 80; x < 420; ++x)
            {
                const uint32_t pixel = pixels[y * bitmap->GetRowStride() + x];
                if (pixel == kPaper)
                    continue;
                if (!box.Contains(x, y))
                    ++outside;
                if (pixel == 0xFFC80000u)
                    ++ink;
            }
        }
        EXPECT_GT(ink, 20) << alignment;
        EXPECT_EQ(outside, 0) << alignment;
    }
}
}
