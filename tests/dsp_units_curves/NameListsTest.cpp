#include "dsp/units/curves/CurveActionNames.h"
#include "dsp/units/curves/ShapeCatalogue.h"

#include <gtest/gtest.h>

#include <climits>
#include <cstdint>

TEST(NameLists, ShapeNamesByIndex)
{
    struct Case
    {
        uint32_t index;
        const char* name;
    };
    const Case cases[] = {
        {0, "Linear"},           {9, "Transistor"},      {15, "Fuzz-Drive1"},     {38, "MadCat"},
        {57, "Stairway-2-Hell"}, {58, "Zivevo Zazarada"}, {80, "Thrashcore/VRN"}, {81, "Distortion"},
        {UINT32_MAX, "Distortion"},
    };
    for (const Case& c : cases)
        EXPECT_STREQ(GetDistortionShapeName(c.index), c.name) << c.index;
}

TEST(NameLists, CategoriesCoverEveryShapeOnceInOrder)
{
    const auto categories = ShapeCategories();
    ASSERT_EQ(categories.size(), 8u);
    EXPECT_STREQ(categories[0].name, "Basic Section");
    EXPECT_STREQ(categories[7].name, "Producer's");
    uint32_t next = 0;
    for (const ShapeCategoryRange& category : categories)
    {
        EXPECT_EQ(category.first, next) << category.name;
        EXPECT_GE(category.last, category.first) << category.name;
        next = category.last + 1;
    }
    EXPECT_EQ(next, kShapeCount);
    const uint32_t submenuStarts[] = {15, 22, 29, 32, 43, 53, 58};
    for (size_t k = 0; k < std::size(submenuStarts); ++k)
        EXPECT_EQ(categories[k + 1].first, submenuStarts[k]);
}

TEST(NameLists, CurveActionLabels)
{
    struct Case
    {
        int32_t action;
        const char* label;
    };
    const Case cases[] = {
        {0, "Restore Curve"},
        {5, "Sharp Curve"},
        {16, "Quantize (16-steps)"},
        {19, "Reset (Restore Linear)"},
        {20, "No Disto Action"},
        {21, "Undefined Disto Curve Action"},
        {-1, "Undefined Disto Curve Action"},
        {INT32_MAX, "Undefined Disto Curve Action"},
    };
    for (const Case& c : cases)
        EXPECT_STREQ(GetCurveActionName(c.action), c.label) << c.action;
}
