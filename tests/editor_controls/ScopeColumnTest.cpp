#include "editor/ScopeColumn.h"
#include "graphics/RasterLine.h"
#include "graphics/RasterMode.h"
#include "tests/graphics_raster/RasterTestBitmap.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace
{
struct Stroke
{
    int32_t y1;
    int32_t y2;
    uint32_t colour;
};

constexpr int32_t kWidth = 8;
constexpr int32_t kHeight = 40;
constexpr uint32_t kBackground = 0x10203040;

struct ColumnCase
{
    std::string name;
    int32_t x;
    std::vector<Stroke> strokes;
    Rect clip{0, 0, kWidth, kHeight};
};

// Painted together, the strokes leave what one line each, in order, leaves within the clip,
// and nothing outside it.
template <class Bitmap>
void ExpectSameAsOneLineEach(const ColumnCase& c)
{
    Bitmap painted(kWidth, kHeight, kBackground);
    Bitmap lines(kWidth, kHeight, kBackground);
    ScopeColumn column;
    for (const Stroke& s : c.strokes)
    {
        column.Add(s.y1, s.y2, s.colour);
        RasterLine(&lines, c.x, s.y1, c.x, s.y2, s.colour, 1.0f, RasterModeSourceAlpha, false);
    }
    column.Paint(&painted, c.x, c.clip);
    for (int32_t y = 0; y < kHeight; ++y)
        for (int32_t x = 0; x < kWidth; ++x)
        {
            // The clip is in editor rows, top down, however the bitmap stores them.
            const int32_t row = painted.IsBottomUp() ? kHeight - 1 - y : y;
            ASSERT_EQ(painted.At(x, y), c.clip.Contains(x, row) ? lines.At(x, y) : kBackground)
                << c.name << " at " << x << "," << row;
        }
    EXPECT_EQ(painted.Padding(), lines.Padding()) << c.name;
}

TEST(ScopeColumn, PaintsWhatOneLinePerStrokePaints)
{
    const std::vector<ColumnCase> cases = {
        {"one stroke, ends reversed", 3, {{20, 5, 0xFF0000FF}}},
        {"a later stroke inside an earlier", 3, {{5, 30, 0xFF0000FF}, {10, 12, 0x7F00FF00}}},
        {"an earlier stroke inside a later", 3, {{10, 12, 0xFF0000FF}, {5, 30, 0x7F00FF00}}},
        {"overlapping ends and a single pixel", 2, {{5, 15, 1}, {15, 25, 2}, {25, 25, 3}, {14, 16, 4}}},
        {"two lanes and bars under both", 4,
         {{20, 8, 5}, {20, 30, 6}, {20, 12, 7}, {20, 26, 8}, {9, 9, 9}, {31, 22, 10}, {0, 39, 11}, {18, 21, 12}}},
        {"clipped above and below", 1, {{-50, 3, 0xFFFFFFFF}, {36, 400, 0xFF00FFFF}}},
        {"wholly outside", 1, {{-9, -2, 1}, {40, 60, 2}}},
        {"left of the bitmap", -1, {{0, 39, 1}}},
        {"right of the bitmap", kWidth, {{0, 39, 1}}},
        {"clipped to a band of rows", 3, {{5, 30, 0xFF0000FF}, {10, 12, 0x7F00FF00}, {25, 35, 3}}, {0, 11, kWidth, 27}},
        {"a clip reaching past the bitmap", 3, {{-5, 50, 1}, {20, 22, 2}}, {-10, -10, kWidth + 10, kHeight + 10}},
        {"left of the clip", 2, {{0, 39, 1}}, {3, 0, kWidth, kHeight}},
        {"on the clip's right edge", 3, {{0, 39, 1}}, {0, 0, 3, kHeight}},
    };
    for (const ColumnCase& c : cases)
    {
        ExpectSameAsOneLineEach<TestBitmap>(c);
        ExpectSameAsOneLineEach<BottomUpBitmap>(c);
    }
}

TEST(ScopeColumn, PaintingForgetsTheStrokes)
{
    TestBitmap bitmap(kWidth, kHeight, kBackground);
    ScopeColumn column;
    column.Add(0, 39, 1);
    const Rect whole{0, 0, kWidth, kHeight};
    column.Paint(&bitmap, 2, whole);
    column.Paint(&bitmap, 3, whole);
    EXPECT_EQ(bitmap.At(2, 20), 1u);
    EXPECT_EQ(bitmap.At(3, 20), kBackground);
}
} // namespace
