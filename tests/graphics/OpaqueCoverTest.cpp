#include "tests/graphics/ProbeControl.h"
#include "tests/graphics_support/HeadlessGraphics.h"
#include "tests/graphics_support/RecordingPlug.h"

#include "graphics/IBitmapControl.h"
#include "graphics/PIX_MemBitmap.h"

#include <gtest/gtest.h>

#include <memory>
#include <vector>

// A redraw inside an opaque image draws the controls below it only around the image's opaque
// part, with the same pixels as drawing them all.
namespace
{
constexpr Rect kCoverRect{30, 30, 110, 110};
// The cover's corner pixels are transparent: its opaque part is one pixel in.
const std::vector<Rect> kStrips = {{30, 30, 110, 31}, {30, 109, 110, 110}, {30, 31, 31, 109}, {109, 31, 110, 109}};

// Remembers the draw rect of every draw.
class ClipRecordingBitmap : public IBitmapControl
{
public:
    using IBitmapControl::IBitmapControl;
    bool Draw(IGraphics* graphics) override
    {
        clips.push_back(graphics->GetDrawRect());
        return IBitmapControl::Draw(graphics);
    }
    std::vector<Rect> clips;
};

std::unique_ptr<PIX_MemBitmap> Image(int size, uint32_t (*pixel)(int x, int y, int size))
{
    auto image = std::make_unique<PIX_MemBitmap>();
    image->SetSize(size, size);
    for (int y = 0; y < size; ++y)
        for (int x = 0; x < size; ++x)
            image->GetPixelData()[y * image->GetRowStride() + x] = pixel(x, y, size);
    return image;
}

uint32_t Gradient(int x, int y, int)
{
    return 0xFF000000u | static_cast<uint32_t>(x) << 16 | static_cast<uint32_t>(y) << 8 | 0x40u;
}

uint32_t HalfTransparent(int x, int y, int)
{
    return 0x80000000u | static_cast<uint32_t>((x * 3 + y) & 0xFF) << 8;
}

uint32_t RoundedCorners(int x, int y, int size)
{
    const bool corner = (x == 0 || x == size - 1) && (y == 0 || y == size - 1);
    return corner ? 0u : 0xFF202020u | static_cast<uint32_t>(x + y) << 16;
}

uint32_t HoleInTheMiddle(int x, int y, int size)
{
    return x == size / 2 && y == size / 2 ? 0x40FFFFFFu : RoundedCorners(x, y, size);
}

struct Scene
{
    explicit Scene(uint32_t (*coverPixel)(int, int, int), bool unclippedBelow = false)
        : cover(Image(kCoverRect.Width(), coverPixel))
    {
        const BitmapStrip backgroundStrip{background.get(), 200, 200, 1, false};
        const BitmapStrip belowStrip{middle.get(), 100, 100, 1, false};
        const BitmapStrip coverStrip{cover.get(), kCoverRect.Width(), kCoverRect.Height(), 1, false};
        graphics->AddControl(new IBitmapControl(&plug, 0, 0, -1, &backgroundStrip, BlendSpec::kCopy));
        if (unclippedBelow)
            graphics->AddControl(new ProbeControl(&plug, {40, 40, 60, 60}));
        below = new ClipRecordingBitmap(&plug, 20, 20, &belowStrip);
        graphics->AddControl(below);
        coverControl = new IBitmapControl(&plug, kCoverRect.left, kCoverRect.top, &coverStrip);
        graphics->AddControl(coverControl);
    }

    std::vector<uint32_t> Redraw(const Rect& area)
    {
        below->clips.clear();
        graphics->DrawDirty(&area);
        PIX_IBitmap* surface = graphics->GetDrawBitmap();
        return {surface->GetPixelData(), surface->GetPixelData() + surface->GetRowStride() * surface->GetHeight()};
    }

    std::unique_ptr<PIX_MemBitmap> background = Image(200, Gradient);
    std::unique_ptr<PIX_MemBitmap> middle = Image(100, HalfTransparent);
    std::unique_ptr<PIX_MemBitmap> cover;
    RecordingPlug plug;
    HeadlessGraphics* graphics = plug.Attach(new HeadlessGraphics(&plug));
    ClipRecordingBitmap* below = nullptr;
    IBitmapControl* coverControl = nullptr;
};
}

TEST(OpaqueCover, ControlsUnderAnOpaqueImageAreDrawnOnlyAroundItWithTheSamePixels)
{
    Scene covered(RoundedCorners);
    Scene drawnWhole(RoundedCorners, true);
    const std::vector<uint32_t> pixels = covered.Redraw(kCoverRect);
    EXPECT_EQ(covered.below->clips, kStrips);
    EXPECT_TRUE(pixels == drawnWhole.Redraw(kCoverRect));
    EXPECT_EQ(drawnWhole.below->clips, std::vector<Rect>{kCoverRect});
}

TEST(OpaqueCover, ControlsBelowAreDrawnWholeWhenTheImageHidesNothingForSure)
{
    struct Case
    {
        const char* name;
        uint32_t (*coverPixel)(int, int, int);
        bool greyed;
        Rect area;
    };
    const Case cases[] = {
        {"a pixel inside lets the image below show", HoleInTheMiddle, false, kCoverRect},
        {"a greyed image is drawn at a quarter weight", RoundedCorners, true, kCoverRect},
        {"the area reaches beyond the image", RoundedCorners, false, {25, 30, 110, 110}},
    };
    for (const Case& c : cases)
    {
        Scene scene(c.coverPixel);
        scene.coverControl->GrayOut(c.greyed);
        scene.Redraw(c.area);
        EXPECT_EQ(scene.below->clips, std::vector<Rect>{c.area}) << c.name;
    }
}
