#include "dsp/units/curves/ShapeCatalogue.h"
#include "dsp/units/curves/StoredCurveTables.h"
#include "tests/dsp_units_curves/RepoFile.h"
#include "tools/curvegen/StoredTableDesigner.h"
#include "tools/curvegen/StoredTableShapes.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>

namespace
{
constexpr const char* kTablesPath = "dsp/units/curves/StoredCurveTables.inc";

const double* Table(int slot)
{
    return StoredCurveTables::kTables[slot - StoredCurveTables::kFirstSlot];
}
}

TEST(StoredCurveTables, RegeneratingGivesTheCommittedBytes)
{
    EXPECT_EQ(StoredTableDesigner::FormatTables(), ReadRepoFile(kTablesPath));
}

TEST(StoredCurveTables, HoldTheValuesTheSlotsAreKnownBy)
{
    struct Case
    {
        int slot;
        int entry;
        double value;
    };
    const Case cases[] = {
        {62, 0, -0.637337923049927},  {62, 1, -0.633664488792419}, {62, 255, -0.008442521095276},
        {62, 256, 0.001725077834735}, {62, 511, 0.88014350892824}, {77, 0, -0.943795710159179},
        {77, 255, 0.0},               {77, 256, 0.0},              {77, 511, 0.957845246143445},
        {58, 0, -1.0},                {58, 1, -0.964281357999868}, {58, 511, 0.898811399986555},
    };
    for (const Case& c : cases)
        EXPECT_EQ(Table(c.slot)[c.entry], c.value) << "table " << c.slot << " entry " << c.entry;
}

TEST(StoredCurveTables, AreFiniteCurvesWithinTheUnitRange)
{
    for (int k = 0; k < StoredCurveTables::kTableCount; ++k)
        for (int j = 0; j < StoredCurveTables::kPointCount; ++j)
        {
            const double value = StoredCurveTables::kTables[k][j];
            ASSERT_TRUE(std::isfinite(value) && value >= -1.0 && value <= 1.0) << "table " << k << " entry " << j;
        }
}

// Each design is its own sound: no two tables lie close together over the input range.
TEST(StoredCurveTables, AreDistinctShapes)
{
    constexpr double kMinimumRmsDistance = 0.05;
    for (int a = 0; a < StoredCurveTables::kTableCount; ++a)
        for (int b = a + 1; b < StoredCurveTables::kTableCount; ++b)
        {
            double squares = 0.0;
            for (int j = 0; j < StoredCurveTables::kPointCount; ++j)
            {
                const double d = StoredCurveTables::kTables[a][j] - StoredCurveTables::kTables[b][j];
                squares += d * d;
            }
            EXPECT_GT(std::sqrt(squares / StoredCurveTables::kPointCount), kMinimumRmsDistance)
                << "tables " << a + StoredCurveTables::kFirstSlot << " and " << b + StoredCurveTables::kFirstSlot;
        }
}

TEST(StoredCurveTables, DesignsAreNamedAfterTheShapesThatUseThem)
{
    // Library slot of each stored table, by the shape index that selects it.
    const int shapeOfSlot[StoredCurveTables::kTableCount] = {32, 33, 34, 35, 58, 60, 59, 61, 64, 65, 66, 67, 68, 69,
                                                             71, 70, 77, 79, 73, 74, 78, 76, 72, 75, 62, 63, 80};
    const auto& designs = StoredTableShapes();
    ASSERT_EQ(designs.size(), static_cast<size_t>(StoredCurveTables::kTableCount));
    for (int k = 0; k < StoredCurveTables::kTableCount; ++k)
    {
        EXPECT_EQ(designs[k].slot, StoredCurveTables::kFirstSlot + k);
        EXPECT_STREQ(designs[k].name, GetDistortionShapeName(shapeOfSlot[k])) << designs[k].slot;
    }
}
