#include "tests/graphics_support/HeadlessGraphics.h"
#include "tests/graphics_support/PngWriter.h"
#include "tests/graphics_support/RecordingPlug.h"

#include "graphics/IBitmapControl.h"
#include "graphics/PIX_CachedFont.h"
#include "graphics/PIX_MemBitmap.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>

namespace
{
// Ids of their own, so that the process-wide cache holds nothing else under them.
constexpr int kSharedId = 91001;
constexpr int kMissingId = 91002;
constexpr int kFixtureId = 91003;

std::string WriteFixture(const char* name, uint32_t colour, int width, int height)
{
    PIX_MemBitmap bitmap;
    bitmap.SetSize(width, height);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            bitmap.GetPixelData()[y * bitmap.GetRowStride() + x] = colour;
    const std::string path = (std::filesystem::temp_directory_path() / name).string();
    EXPECT_TRUE(WritePng(path, bitmap));
    return path;
}

TEST(GraphicsCache, ABitmapIsDecodedOncePerIdAndSharedByEveryEditor)
{
    const std::string path = WriteFixture("zv_cache_shared.png", 0xFF336699u, 8, 24);
    RecordingPlug firstPlug;
    RecordingPlug secondPlug;
    auto* first = firstPlug.Attach(new HeadlessGraphics(&firstPlug));
    auto* second = secondPlug.Attach(new HeadlessGraphics(&secondPlug));
    first->SetResourceFile(kSharedId, path);
    second->SetResourceFile(kSharedId, path);

    BitmapStrip a;
    BitmapStrip b;
    first->LoadBitmapResource(&a, kSharedId, "shared.png", 3);
    second->LoadBitmapResource(&b, kSharedId, "shared.png", 3);
    ASSERT_NE(a.bitmap, nullptr);
    EXPECT_EQ(a.bitmap, b.bitmap);
    EXPECT_EQ(first->PngLoads() + second->PngLoads(), 1);
    EXPECT_EQ(a.width, 8);
    EXPECT_EQ(a.height, 24);
    EXPECT_EQ(a.frames, 3);
    EXPECT_FALSE(a.sideBySide);
}

TEST(GraphicsCache, AMissingImageDrawsNothingAndIsTriedAgainLater)
{
    RecordingPlug plug;
    auto* graphics = plug.Attach(new HeadlessGraphics(&plug));
    BitmapStrip strip;
    graphics->LoadBitmapResource(&strip, kMissingId, "missing.png", 4);
    EXPECT_EQ(strip.bitmap, nullptr);
    EXPECT_EQ(strip.width, 0);
    graphics->AddControl(new IBitmapControl(&plug, 10, 10, &strip));
    graphics->Tick();

    graphics->SetResourceFile(kMissingId, WriteFixture("zv_cache_late.png", 0xFF00FF00u, 4, 16));
    graphics->LoadBitmapResource(&strip, kMissingId, "missing.png", 4);
    EXPECT_NE(strip.bitmap, nullptr);
    EXPECT_EQ(graphics->PngLoads(), 2);
}

TEST(GraphicsCache, ABitmapControlDrawsItsFrameThroughTheCache)
{
    RecordingPlug plug;
    auto* graphics = plug.Attach(new HeadlessGraphics(&plug));
    graphics->SetResourceFile(kFixtureId, WriteFixture("zv_cache_frame.png", 0xFFCC2211u, 6, 12));
    BitmapStrip strip;
    graphics->LoadBitmapResource(&strip, kFixtureId, "frame.png", 2);
    graphics->AddControl(new IBitmapControl(&plug, 100, 200, -1, &strip, BlendSpec::kCopy));
    graphics->Tick();
    const uint32_t* pixels = graphics->GetDrawBitmap()->GetPixelData();
    const int stride = graphics->GetDrawBitmap()->GetRowStride();
    EXPECT_EQ(pixels[200 * stride + 100], 0xFFCC2211u);
    EXPECT_EQ(pixels[205 * stride + 105], 0xFFCC2211u);
    EXPECT_NE(pixels[206 * stride + 100], 0xFFCC2211u);  // one 6 x 6 frame only
    EXPECT_NE(pixels[200 * stride + 106], 0xFFCC2211u);
}

TEST(GraphicsCache, IdenticalStylesShareOneFontAndQualityMakesAnotherFont)
{
    RecordingPlug firstPlug;
    RecordingPlug secondPlug;
    auto* first = firstPlug.Attach(new HeadlessGraphics(&firstPlug));
    auto* second = secondPlug.Attach(new HeadlessGraphics(&secondPlug));
    TextStyle a;
    TextStyle b;
    a.SetFace("Tahoma");
    b.SetFace("Tahoma");
    PIX_CachedFont* fontA = first->GetCachedFont(&a);
    ASSERT_NE(fontA, nullptr);
    EXPECT_EQ(second->GetCachedFont(&b), fontA);
    EXPECT_EQ(b.cachedFont, fontA);

    struct Change
    {
        const char* name;
        void (*apply)(TextStyle&);
    };
    const Change changes[] = {
        {"quality", [](TextStyle& s) { s.quality = TextStyle::kQualityAliased; }},
        {"size", [](TextStyle& s) { s.size = 13; }},
        {"style", [](TextStyle& s) { s.style = TextStyle::kStyleBold; }},
        {"orientation", [](TextStyle& s) { s.orientation = 90; }},
        {"face", [](TextStyle& s) { s.SetFace("Arial"); }},
    };
    for (const Change& change : changes)
    {
        TextStyle other;
        other.SetFace("Tahoma");
        change.apply(other);
        EXPECT_NE(second->GetCachedFont(&other), fontA) << change.name;
    }
}
}
