#include "graphics/DirtyArea.h"

#include <gtest/gtest.h>

#include <vector>

namespace
{
std::vector<Rect> RectsOf(const DirtyArea& area)
{
    std::vector<Rect> rects;
    for (int i = 0; i < area.Count(); ++i)
        rects.push_back(area[i]);
    return rects;
}

TEST(DirtyArea, JoinsOnlyWhatAddsLittle)
{
    struct Case
    {
        const char* name;
        std::vector<Rect> added;
        std::vector<Rect> expected;
    };
    const Case cases[] = {
        {"nothing", {}, {}},
        {"empty and inverted rects add nothing", {{}, {10, 10, 10, 20}, {10, 10, 5, 20}}, {}},
        {"side by side", {{0, 0, 100, 50}, {100, 0, 200, 50}}, {{0, 0, 200, 50}}},
        {"one inside another", {{0, 0, 100, 100}, {10, 10, 20, 20}}, {{0, 0, 100, 100}}},
        {"far apart", {{0, 0, 10, 10}, {0, 500, 10, 510}}, {{0, 0, 10, 10}, {0, 500, 10, 510}}},
        {"a third joins the first two once it fills the gap",
         {{0, 0, 100, 10}, {0, 20, 100, 30}, {0, 10, 100, 20}},
         {{0, 0, 100, 30}}},
    };
    for (const Case& c : cases)
    {
        DirtyArea area;
        for (const Rect& rect : c.added)
            area.Add(rect);
        EXPECT_EQ(RectsOf(area), c.expected) << c.name;
    }
}

TEST(DirtyArea, AFullListGrowsTheNearestRectAndLosesNothing)
{
    DirtyArea area;
    std::vector<Rect> added;
    for (int i = 0; i <= DirtyArea::kMostRects; ++i)
        added.push_back({0, 100 * i, 10, 100 * i + 10});
    added.push_back({20, 105, 30, 112});
    for (const Rect& rect : added)
        area.Add(rect);
    EXPECT_EQ(area.Count(), DirtyArea::kMostRects);
    for (const Rect& rect : added)
    {
        bool covered = false;
        for (const Rect& held : RectsOf(area))
            covered = covered || held.Intersection(rect) == rect;
        EXPECT_TRUE(covered) << rect.left << "," << rect.top;
    }
    EXPECT_EQ(area.Bounds(), (Rect{0, 0, 30, 100 * DirtyArea::kMostRects + 10}));
}
} // namespace
