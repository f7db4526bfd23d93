#include "graphics/RasterCircle.h"
#include "graphics/RasterDrawMask.h"
#include "graphics/RasterFillTriangle.h"
#include "graphics/RasterLine.h"
#include "graphics/RasterMode.h"
#include "graphics/RasterRoundRect.h"
#include "tests/graphics_raster/RasterTestBitmap.h"

#include <gtest/gtest.h>

#include <climits>
#include <set>
#include <utility>

namespace
{
constexpr uint32_t kInk = 0xFFFFFFFF;
constexpr uint32_t kPadding = 0xEEEEEEEE;

using PixelSet = std::set<std::pair<int32_t, int32_t>>;

PixelSet Lit(TestBitmap& bitmap)
{
    PixelSet lit;
    for (int32_t y = 0; y < bitmap.GetHeight(); ++y)
        for (int32_t x = 0; x < bitmap.GetWidth(); ++x)
            if (bitmap.At(x, y) != 0)
                lit.insert({x, y});
    for (uint32_t padding : bitmap.Padding())
        EXPECT_EQ(padding, kPadding);
    return lit;
}

PixelSet Line(int32_t width, int32_t height, int32_t x1, int32_t y1, int32_t x2, int32_t y2, bool antialias = false)
{
    TestBitmap bitmap(width, height, 0, kPadding);
    RasterLine(&bitmap, x1, y1, x2, y2, kInk, 1.0f, RasterModeCopy, antialias);
    return Lit(bitmap);
}

PixelSet Row(int32_t y, int32_t from, int32_t to)
{
    PixelSet pixels;
    for (int32_t x = from; x <= to; ++x)
        pixels.insert({x, y});
    return pixels;
}
}

TEST(RasterLine, StraightLinesAreClipped)
{
    EXPECT_EQ(Line(20, 10, -10, 5, 10, 5), Row(5, 0, 10));
    EXPECT_EQ(Line(20, 10, -30, 5, -1, 5), PixelSet{});
    EXPECT_EQ(Line(20, 10, 0, 0, 0, 0), Row(0, 0, 0));
    PixelSet column;
    for (int32_t y = 0; y < 20; ++y)
        column.insert({5, y});
    EXPECT_EQ(Line(20, 20, 5, -3, 5, 30), column);
    EXPECT_EQ(Line(20, 10, INT_MIN, 3, INT_MAX, 3), Row(3, 0, 19));
}

TEST(RasterLine, QuarterAlphaCopyUsesWholeWords)
{
    TestBitmap bitmap(8, 2, 0, kPadding);
    RasterLine(&bitmap, 0, 1, 7, 1, 0xFFFFFFFF, 0.25f, RasterModeCopy, false);
    EXPECT_EQ(bitmap.At(3, 1), 0x3F3F3F3Fu);
    EXPECT_EQ(bitmap.At(3, 0), 0u);
}

TEST(RasterLine, SlopedLinesHaveOnePixelPerMajorStepAndAreSymmetric)
{
    struct Case
    {
        int32_t x1, y1, x2, y2;
    };
    const Case cases[] = {{1, 1, 18, 6}, {2, 13, 7, 0}, {0, 0, 19, 1}, {3, 2, 4, 14}, {17, 3, 2, 9}, {5, 5, 9, 9}};
    for (const Case& c : cases)
    {
        const PixelSet forward = Line(20, 15, c.x1, c.y1, c.x2, c.y2);
        const PixelSet backward = Line(20, 15, c.x2, c.y2, c.x1, c.y1);
        const int32_t n = std::max(std::abs(c.x2 - c.x1), std::abs(c.y2 - c.y1));
        EXPECT_EQ(forward.size(), static_cast<size_t>(n + 1)) << c.x1 << "," << c.y1 << " to " << c.x2 << "," << c.y2;
        // With an even extent the middle pixel comes from the first end's walk, so only odd
        // extents must be drawn identically both ways.
        if (n % 2 == 1)
        {
            EXPECT_EQ(forward, backward);
        }
        EXPECT_TRUE(forward.count({c.x1, c.y1}) && forward.count({c.x2, c.y2}));
    }
}

TEST(RasterLine, ClippedAntialiasedLinesStayInside)
{
    // Every pixel an anti-aliased line touches must be in the bitmap whatever the ends; the
    // padding check and ASan catch a stray write.
    const int32_t ends[][4] = {{-50, -7, 60, 31}, {INT_MIN, INT_MIN, INT_MAX, INT_MAX}, {-3, 40, 25, -9},
                               {19, 0, 0, 14},    {INT_MAX, 0, INT_MIN, 1},            {-5, -5, 30, 30}};
    for (const auto& e : ends)
        for (const bool antialias : {false, true})
        {
            TestBitmap bitmap(19, 14, 0, kPadding);
            for (const uint32_t mode : {RasterModeCopy, RasterModeAdd, RasterModeHsvAdjust})
                RasterLine(&bitmap, e[0], e[1], e[2], e[3], kInk, 0.7f, mode, antialias);
            Lit(bitmap);
        }
}

TEST(RasterLine, BottomUpBitmapsCountRowsFromTheTop)
{
    BottomUpBitmap bitmap(6, 4);
    RasterLine(&bitmap, 1, 0, 4, 0, kInk, 1.0f, RasterModeCopy, false);
    EXPECT_EQ(bitmap.At(2, 3), kInk);
    EXPECT_EQ(bitmap.At(2, 0), 0u);
}

TEST(RasterCircle, SmallRadiiUseStampsOthersAreRasterised)
{
    // r = 2 is the 5 x 5 stamp with its top-left at (trunc(cx - 2), trunc(cy - 2)).
    const uint8_t stamp[] = {15, 191, 255, 191, 15, 191, 209, 79, 209, 191, 255, 79, 0,
                             79, 255, 191, 209, 79, 209, 191, 15, 191, 255, 191, 15};
    TestBitmap circle(12, 12, 0, kPadding), mask(12, 12, 0, kPadding);
    RasterCircle(&circle, 6.0f, 5.0f, 2.0f, kInk, 1.0f, RasterModeCopy);
    RasterDrawMask(&mask, 4, 3, kInk, stamp, 5, 5, 5, 1.0f, RasterModeCopy);
    for (int32_t y = 0; y < 12; ++y)
        for (int32_t x = 0; x < 12; ++x)
            ASSERT_EQ(circle.At(x, y), mask.At(x, y)) << x << "," << y;

    // Just above the stamp radius the rasteriser draws a ring of about the same size,
    // symmetric left to right, and the centre stays empty.
    TestBitmap rasterised(12, 12, 0, kPadding);
    RasterCircle(&rasterised, 6.0f, 5.0f, 2.25f, kInk, 1.0f, RasterModeCopy);
    const PixelSet ring = Lit(rasterised);
    EXPECT_FALSE(ring.empty());
    for (const auto& [x, y] : ring)
    {
        EXPECT_TRUE(ring.count({12 - x, y})) << x << "," << y;
        EXPECT_LE(std::abs(x - 6), 3);
        EXPECT_LE(std::abs(y - 5), 3);
    }
    EXPECT_EQ(rasterised.At(6, 5), 0u);
}

TEST(RasterCircle, ShapesNearOrPastTheEdgesStayInside)
{
    struct Case
    {
        float cx, cy, r;
    };
    const Case cases[] = {{0.0f, 0.0f, 5.3f}, {18.5f, 13.2f, 6.7f}, {-3.0f, 7.0f, 4.6f}, {9.0f, 7.0f, 40.0f},
                          {1e30f, 0.0f, 3.3f}, {5.0f, 5.0f, 1e30f}, {-1.0f, -1.0f, 2.5f}, {5.0f, 5.0f, 0.4f}};
    for (const Case& c : cases)
    {
        TestBitmap bitmap(19, 14, 0, kPadding);
        RasterCircle(&bitmap, c.cx, c.cy, c.r, kInk, 1.0f, RasterModeCopy);
        RasterArc(&bitmap, c.cx, c.cy, c.r, -1.0f, 2.5f, kInk, 0.5f, RasterModeMultiply);
        Lit(bitmap);
    }
}

TEST(RasterCircle, FullTurnArcIsTheCircle)
{
    TestBitmap circle(30, 30, 0, kPadding), arc(30, 30, 0, kPadding);
    RasterCircle(&circle, 15.0f, 14.0f, 9.3f, kInk, 1.0f, RasterModeCopy);
    RasterArc(&arc, 15.0f, 14.0f, 9.3f, 0.0f, 7.0f, kInk, 1.0f, RasterModeCopy);
    EXPECT_EQ(Lit(circle), Lit(arc));

    // A quarter from 0 (up) to pi/2 (right) lies in the upper right.
    TestBitmap quarter(30, 30, 0, kPadding);
    RasterArc(&quarter, 15.0f, 14.0f, 9.3f, 0.0f, 1.5707964f, kInk, 1.0f, RasterModeCopy);
    const PixelSet lit = Lit(quarter);
    EXPECT_FALSE(lit.empty());
    for (const auto& [x, y] : lit)
    {
        EXPECT_GE(x, 15);
        EXPECT_LE(y, 15);
    }
}

TEST(RasterRoundRect, SmallRectanglesAreOutlinesLargerOnesRoundTheirCorners)
{
    TestBitmap round(12, 12, 0, kPadding), plain(12, 12, 0, kPadding);
    RasterRoundRect(&round, 2.0f, 2.0f, 3.0f, 6.0f, kInk, 1.0f, RasterModeCopy);
    RasterRectOutline(&plain, 2, 2, 3, 6, kInk, 1.0f, RasterModeCopy);
    EXPECT_EQ(Lit(round), Lit(plain));

    TestBitmap wide(110, 30, 0, kPadding);
    RasterRoundRect(&wide, 5.0f, 5.0f, 100.0f, 20.0f, kInk, 1.0f, RasterModeCopy);
    EXPECT_EQ(wide.At(5, 5), 0u) << "corner cut by the radius-3 arc";
    EXPECT_EQ(wide.At(50, 5), kInk) << "top edge";
    EXPECT_EQ(wide.At(105, 15), kInk) << "right edge";
    EXPECT_EQ(wide.At(50, 15), 0u) << "an outline, not a fill";
    Lit(wide);
}

TEST(RasterFillTriangle, FillsRowsAndNeverWritesPastTheLastColumn)
{
    struct Case
    {
        const char* what;
        int32_t x[3];
        int32_t y[3];
        PixelSet expected;
    };
    const Case cases[] = {
        {"one row", {1, 4, 2}, {2, 2, 2}, Row(2, 1, 4)},
        {"one row past the right edge", {3, 40, 9}, {1, 1, 1}, Row(1, 3, 9)},
        {"one row past the left edge", {-30, 2, -1}, {0, 0, 0}, Row(0, 0, 2)},
        {"one row outside", {1, 2, 3}, {10, 10, 10}, {}},
    };
    for (const Case& c : cases)
    {
        TestBitmap bitmap(10, 3, 0, kPadding);
        RasterFillTriangle(&bitmap, c.x, c.y, kInk, 1.0f, RasterModeCopy);
        EXPECT_EQ(Lit(bitmap), c.expected) << c.what;
    }

    // A right triangle: row y spans columns 0 to y.
    TestBitmap bitmap(8, 8, 0, kPadding);
    const int32_t x[3] = {0, 0, 6}, y[3] = {0, 6, 6};
    RasterFillTriangle(&bitmap, x, y, kInk, 1.0f, RasterModeCopy);
    PixelSet expected;
    for (int32_t row = 0; row <= 6; ++row)
        for (const auto& p : Row(row, 0, row))
            expected.insert(p);
    EXPECT_EQ(Lit(bitmap), expected);

    const int32_t farX[3] = {INT_MIN, INT_MAX, 3}, farY[3] = {INT_MIN, 2, INT_MAX};
    TestBitmap clipped(8, 8, 0, kPadding);
    RasterFillTriangle(&clipped, farX, farY, kInk, 0.6f, RasterModeOverlay);
    Lit(clipped);
}
