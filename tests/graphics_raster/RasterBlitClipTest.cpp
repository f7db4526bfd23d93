#include "graphics/RasterBlit.h"
#include "graphics/RasterMode.h"
#include "tests/graphics_raster/RasterTestBitmap.h"

#include <gtest/gtest.h>

#include <climits>

namespace
{
constexpr uint32_t kBackground = 0x01010101;
constexpr uint32_t kPadding = 0xEEEEEEEE;

// Source pixel (x, y) holds a word naming its position.
uint32_t SourceValue(int32_t x, int32_t y)
{
    return 0xFF000000u | static_cast<uint32_t>(y) << 8 | static_cast<uint32_t>(x);
}

template <typename Bitmap>
void FillSource(Bitmap& source)
{
    for (int32_t y = 0; y < source.GetHeight(); ++y)
        for (int32_t x = 0; x < source.GetWidth(); ++x)
        {
            const int32_t stored = source.IsBottomUp() ? source.GetHeight() - 1 - y : y;
            source.At(x, stored) = SourceValue(x, y);
        }
}

struct ClipCase
{
    const char* what;
    int32_t x;
    int32_t y;
    bool hasRect;
    RasterRect rect;
};
}

// Whatever the position, the destination shows exactly the part of the source rectangle
// that lands on it, and no pixel outside it (padding included) changes.
TEST(RasterBlitClip, DrawsOnlyTheOverlap)
{
    const ClipCase cases[] = {
        {"inside", 2, 1, false, {}},
        {"negative position", -3, -2, false, {}},
        {"past the right and bottom", 5, 4, false, {}},
        {"wholly outside", 7, 0, false, {}},
        {"source rectangle with negative left", 0, 0, true, {-5, 0, 3, 2}},
        {"source rectangle past the source", 1, 1, true, {2, 1, 100, 100}},
        {"extreme positions", INT_MIN, INT_MAX, false, {}},
        {"extreme rectangle", 0, 0, true, {INT_MIN, INT_MIN, INT_MAX, INT_MAX}},
        {"empty rectangle", 0, 0, true, {3, 3, 3, 5}},
    };
    for (const bool bottomUp : {false, true})
        for (const ClipCase& c : cases)
        {
            TestBitmap destination(7, 6, kPadding);
            for (int32_t y = 0; y < 6; ++y)
                for (int32_t x = 0; x < 7; ++x)
                    destination.At(x, y) = kBackground;
            BottomUpBitmap bottomUpSource(5, 3);
            TestBitmap topDownSource(5, 3);
            TestBitmap& source = bottomUp ? static_cast<TestBitmap&>(bottomUpSource) : topDownSource;
            FillSource(source);

            RasterBlit(&destination, &source, c.x, c.y, c.hasRect ? &c.rect : nullptr, 1.0f, RasterModeCopy);

            int64_t left = 0, top = 0, right = 5, bottom = 3, dx = c.x, dy = c.y;
            if (c.hasRect)
            {
                left = c.rect.left, top = c.rect.top, right = std::min<int64_t>(c.rect.right, 5);
                bottom = std::min<int64_t>(c.rect.bottom, 3);
                if (left < 0)
                    dx -= left, left = 0;
                if (top < 0)
                    dy -= top, top = 0;
            }
            for (int32_t y = 0; y < 6; ++y)
                for (int32_t x = 0; x < 7; ++x)
                {
                    const int64_t sx = left + (x - dx), sy = top + (y - dy);
                    const bool covered = sx >= left && sx < right && sy >= top && sy < bottom;
                    const uint32_t expected = covered ? SourceValue(static_cast<int32_t>(sx), static_cast<int32_t>(sy)) : kBackground;
                    ASSERT_EQ(destination.At(x, y), expected) << c.what << (bottomUp ? " (bottom-up source)" : "") << " at " << x << "," << y;
                }
            for (uint32_t padding : destination.Padding())
                ASSERT_EQ(padding, kPadding) << c.what;
        }
}

TEST(RasterBlitClip, BottomUpDestinationCountsRowsFromTheTop)
{
    BottomUpBitmap destination(4, 3);
    TestBitmap source(1, 1, 0xFFABCDEF);
    RasterBlit(&destination, &source, 1, 0, nullptr, 1.0f, RasterModeCopy);
    EXPECT_EQ(destination.At(1, 2), 0xFFABCDEFu);
    EXPECT_EQ(destination.At(1, 0), 0u);
}

TEST(RasterBlitClip, MissingOrEmptyBitmapsDrawNothing)
{
    TestBitmap destination(2, 2, kBackground);
    PIX_MemBitmap empty;
    RasterBlit(&destination, nullptr, 0, 0, nullptr, 1.0f, RasterModeCopy);
    RasterBlit(nullptr, &destination, 0, 0, nullptr, 1.0f, RasterModeCopy);
    RasterBlit(&destination, &empty, 0, 0, nullptr, 1.0f, RasterModeCopy);
    RasterBlit(&empty, &destination, 0, 0, nullptr, 1.0f, RasterModeCopy);
    EXPECT_EQ(destination.At(1, 1), kBackground);
}
