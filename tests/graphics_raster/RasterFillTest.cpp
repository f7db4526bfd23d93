#include "graphics/RasterBlur.h"
#include "graphics/RasterDrawMask.h"
#include "graphics/RasterFillRect.h"
#include "graphics/RasterMode.h"
#include "tests/graphics_raster/RasterTestBitmap.h"

#include <gtest/gtest.h>

#include <climits>
#include <utility>
#include <vector>

namespace
{
constexpr uint32_t kPadding = 0xEEEEEEEE;

// Columns [from, to] of every row hold `inside`, the rest `outside`.
void ExpectColumns(TestBitmap& bitmap, int32_t from, int32_t to, uint32_t inside, uint32_t outside, const char* what)
{
    for (int32_t y = 0; y < bitmap.GetHeight(); ++y)
        for (int32_t x = 0; x < bitmap.GetWidth(); ++x)
            ASSERT_EQ(bitmap.At(x, y), x >= from && x <= to ? inside : outside) << what << " at " << x << "," << y;
    for (uint32_t padding : bitmap.Padding())
        ASSERT_EQ(padding, kPadding) << what;
}
}

TEST(RasterFillRect, ClipsToTheBitmap)
{
    struct Case
    {
        const char* what;
        int32_t x, width;
        int32_t from, to;
    };
    const Case cases[] = {
        {"negative x shortens the width", -10, 25, 0, 14},
        {"past the right edge", 15, 100, 15, 17},
        {"wholly left", -40, 30, 1, 0},
        {"extreme width", INT_MIN, INT_MAX, 1, 0},
        {"extreme right", 3, INT_MAX, 3, 17},
    };
    for (const Case& c : cases)
    {
        // Width 18 leaves the padding columns 18 and 19.
        TestBitmap bitmap(18, 3, 0, kPadding);
        RasterFillRect(&bitmap, c.x, -5, c.width, INT_MAX, 0xFF123456, 1.0f, RasterModeCopy);
        ExpectColumns(bitmap, c.from, c.to, 0xFF123456, 0, c.what);
    }
}

TEST(RasterDrawMask, ClipsTheMaskAndReadsUpwardRows)
{
    const uint8_t mask[] = {255, 0, 255, 255, 255, 0};
    struct Case
    {
        const char* what;
        int32_t x, y, span;
        const uint8_t* first;
        std::vector<std::pair<int, int>> lit;
    };
    const Case cases[] = {
        {"inside", 1, 1, 3, mask, {{1, 1}, {3, 1}, {1, 2}, {2, 2}}},
        {"negative position skips columns and rows", -1, -1, 3, mask, {{0, 0}}},
        {"upward rows", 0, 0, -3, mask + 3, {{0, 0}, {1, 0}, {0, 1}, {2, 1}}},
        {"past the edges", 3, 2, 3, mask, {{3, 2}}},
        {"far away", INT_MIN, INT_MIN, 3, mask, {}},
    };
    for (const Case& c : cases)
    {
        TestBitmap bitmap(4, 3, 0);
        RasterDrawMask(&bitmap, c.x, c.y, 0xFFFFFFFF, c.first, 3, c.span, 2, 1.0f, RasterModeCopy);
        int lit = 0;
        for (int32_t y = 0; y < 3; ++y)
            for (int32_t x = 0; x < 4; ++x)
                lit += bitmap.At(x, y) != 0;
        EXPECT_EQ(lit, static_cast<int>(c.lit.size())) << c.what;
        for (const auto& [x, y] : c.lit)
            EXPECT_EQ(bitmap.At(x, y), 0xFFFFFFFFu) << c.what << " at " << x << "," << y;
    }
}

TEST(RasterBlur, SpreadsOnePixelAndIgnoresThinBitmaps)
{
    TestBitmap bitmap(5, 5, 0);
    bitmap.At(2, 2) = 0xFFFFFFFF;
    RasterBlur(&bitmap, 5, 5);
    EXPECT_EQ(bitmap.At(2, 2), 0x7F7F7F7Fu);
    // Inner pixels share their axis with two neighbours and take an eighth of each.
    EXPECT_EQ(bitmap.At(2, 1), 0x1F1F1F1Fu);
    EXPECT_EQ(bitmap.At(1, 2), 0x1F1F1F1Fu);
    EXPECT_EQ(bitmap.At(1, 1), 0u);

    TestBitmap corner(2, 2, 0);
    corner.At(0, 0) = 0xFFFFFFFF;
    RasterBlur(&corner, 2, 2);
    EXPECT_EQ(corner.At(0, 0), 0x7F7F7F7Fu);
    EXPECT_EQ(corner.At(1, 0), 0x3F3F3F3Fu);
    EXPECT_EQ(corner.At(1, 1), 0u);

    TestBitmap line(5, 1, 0xFFFFFFFF);
    line.At(2, 0) = 0;
    RasterBlur(&line, 5, 1);
    EXPECT_EQ(line.At(2, 0), 0u);
}

TEST(RasterBlur, WideRowsUseAllocatedCopies)
{
    TestBitmap bitmap(1500, 3, 0);
    bitmap.At(1400, 1) = 0xFFFFFFFF;
    RasterBlur(&bitmap, 5000, 100);
    EXPECT_EQ(bitmap.At(1400, 1), 0x7F7F7F7Fu);
    EXPECT_EQ(bitmap.At(1400, 2), 0x3F3F3F3Fu);
}
