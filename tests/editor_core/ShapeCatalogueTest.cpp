#include "dsp/units/curves/ShapeCatalogue.h"
#include "editor/FormatShapeLabel.h"
#include "editor/ShapeCategory.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

namespace
{
TEST(ShapeCatalogue, EveryShapeIsLabelledWithItsNumberFromOne)
{
    for (uint32_t index = 0; index < kShapeCount + 2; ++index)
    {
        char number[8];
        std::snprintf(number, sizeof number, "%02u", index + 1);
        EXPECT_EQ(FormatShapeLabel(index), std::string(number) + ": " + GetDistortionShapeName(index)) << index;
    }
    const struct
    {
        uint32_t index;
        const char* label;
    } cases[] = {
        {0, "01: Linear"},
        {8, "09: Tube-Distort"},
        {9, "10: Transistor"},
        {80, "81: Thrashcore/VRN"},
        {81, "82: Distortion"},
        {4294967295u, "4294967296: Distortion"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(FormatShapeLabel(c.index), c.label) << c.index;
}

TEST(ShapeCatalogue, TreeHoldsEveryShapeOnceUnderItsHeading)
{
    ShapeCategory root("Basic Section", 0);
    BuildShapeCategoryTree(root);
    EXPECT_EQ(root.EntryCount(), static_cast<int32_t>(kShapeCount));

    const struct
    {
        const char* name;
        int32_t id;
        uint32_t first;
        uint32_t last;
    } expected[] = {
        {"Basic Section", 0, 0, 14}, {"Fuzzy", 15, 15, 21},        {"Hardcore", 22, 22, 28},
        {"Industrial", 29, 29, 31},  {"Crunchy", 32, 32, 42},      {"Experimental", 43, 43, 52},
        {"Noisy", 53, 53, 57},       {"Producer's", 58, 58, 80},
    };
    std::vector<const ShapeCategory*> categories = {&root};
    for (const auto& child : root.children)
        categories.push_back(child.get());
    ASSERT_EQ(categories.size(), std::size(expected));

    uint32_t next = 0;
    for (size_t k = 0; k < categories.size(); ++k)
    {
        const ShapeCategory& category = *categories[k];
        EXPECT_EQ(category.name, expected[k].name);
        EXPECT_EQ(category.id, expected[k].id) << category.name;
        EXPECT_TRUE(k == 0 || category.children.empty()) << category.name;
        ASSERT_EQ(category.entries.size(), expected[k].last - expected[k].first + 1) << category.name;
        for (const ShapeEntry& entry : category.entries)
        {
            EXPECT_EQ(entry.index, next) << category.name;
            EXPECT_EQ(entry.name, GetDistortionShapeName(next));
            ++next;
        }
    }
    EXPECT_EQ(next, kShapeCount);
}
}
