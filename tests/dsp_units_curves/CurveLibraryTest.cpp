#include "dsp/units/curves/DistortionDataProvider.h"
#include "dsp/units/curves/SharedRandom.h"
#include "dsp/units/curves/StoredCurveTables.h"
#include "tests/dsp_units_curves/RepoFile.h"
#include "tools/curvegen/CurveLibraryDigest.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <memory>

namespace
{
using Wezmark::DistortionDataProvider;

constexpr const char* kGoldenPath = "tests/dsp_units_curves/CurveLibraryGolden.txt";

const DistortionDataProvider& Library()
{
    static const auto library = std::make_unique<DistortionDataProvider>();
    return *library;
}

double Point(int slot, int j)
{
    return Library().slots[slot].points[j];
}
}

TEST(CurveLibrary, ValuesTheFormulasFix)
{
    struct Case
    {
        int slot;
        int point;
        double value; // a zero's sign counts
    };
    const Case cases[] = {
        {0, 0, -1.0},
        {0, 1024, 0.0004885197850512668},
        {0, 2047, 1.0},
        {8, 1022, -0.0},
        {8, 1023, -0.0},
        {8, 1024, 0.0},
        {8, 1025, 0.0},
        {8, 1026, 1.0},
        {8, 0, -1.0},
        {9, 1024, 0.0},
        {9, 2047, 1.0},
        {10, 0, -0.8332392238795396},
        {10, 2047, 0.7499117723870684},
        {38, 1023, -1.0},
        {38, 1024, 1.0},
        {38, 2047, 0.0},
        {38, 0, -0.0},
    };
    for (const Case& c : cases)
    {
        EXPECT_EQ(Point(c.slot, c.point), c.value) << "slot " << c.slot << " point " << c.point;
        EXPECT_EQ(std::signbit(Point(c.slot, c.point)), std::signbit(c.value)) << "slot " << c.slot << " point " << c.point;
    }
}

TEST(CurveLibrary, SoftKneeLimiterIsFlatAboveItsKnee)
{
    const double knee = Point(4, 1024 + 613);
    for (int j = 1024 + 614; j < 2048; ++j)
        ASSERT_EQ(Point(4, j), knee) << j;
    EXPECT_LT(Point(4, 1024 + 600), knee);
    EXPECT_EQ(Point(4, 0), -knee);
}

TEST(CurveLibrary, UnusedSlotStaysZero)
{
    for (double p : Library().slots[83].points)
        ASSERT_EQ(p, 0.0);
}

TEST(CurveLibrary, EverySlotHas2048FinitePoints)
{
    for (int slot = 0; slot < DistortionDataProvider::kSlotCount; ++slot)
    {
        ASSERT_EQ(Library().slots[slot].count, 2048) << slot;
        ASSERT_EQ(Library().slots[slot].points.size(), 2048u) << slot;
        for (double p : Library().slots[slot].points)
            ASSERT_TRUE(std::isfinite(p)) << slot;
    }
}

TEST(CurveLibrary, StoredSlotsMeetTheirTablesAtBothEnds)
{
    for (int k = 0; k < StoredCurveTables::kTableCount; ++k)
    {
        const int slot = StoredCurveTables::kFirstSlot + k;
        EXPECT_EQ(Point(slot, 0), StoredCurveTables::kTables[k][0]) << slot;
        EXPECT_EQ(Point(slot, 2047), StoredCurveTables::kTables[k][511]) << slot;
    }
}

TEST(CurveLibrary, StoredTableEntriesThatAreNotFiniteLoadAsZero)
{
    DistortionDataProvider library;
    double table[StoredCurveTables::kPointCount];
    for (double& value : table)
        value = 0.5;
    table[0] = std::numeric_limits<double>::quiet_NaN();
    table[511] = -std::numeric_limits<double>::infinity();
    table[300] = 7.0;
    library.LoadStoredCurve(60, table);
    EXPECT_EQ(library.slots[60].points[0], 0.0);
    EXPECT_EQ(library.slots[60].points[2047], 0.0);
    EXPECT_DOUBLE_EQ(library.slots[60].points[1024], 0.5);
    EXPECT_LE(library.slots[60].points[300 * 2047 / 511], 1.0);
}

// The library has its own generator: other users of the shared one cannot change its curves.
TEST(CurveLibrary, BuildsTheSameCurvesWhateverTheSharedGeneratorDid)
{
    SharedRandom::Seed(12345);
    for (int i = 0; i < 1000; ++i)
        SharedRandom::Next();
    const DistortionDataProvider other;
    for (int slot = 0; slot < DistortionDataProvider::kSlotCount; ++slot)
        ASSERT_EQ(other.slots[slot].points, Library().slots[slot].points) << slot;
}

// The committed digest is the same for every build: both libms and both compilers must give
// the same curves, including the slots that take sines of huge arguments.
TEST(CurveLibrary, AgreesWithTheGoldenDigest)
{
    std::vector<CurveLibraryDigest::SlotDigest> golden;
    ASSERT_TRUE(CurveLibraryDigest::Parse(ReadRepoFile(kGoldenPath), golden)) << kGoldenPath;
    const std::vector<CurveLibraryDigest::SlotDigest> computed = CurveLibraryDigest::Compute(Library());
    ASSERT_EQ(golden.size(), computed.size());
    for (size_t slot = 0; slot < golden.size(); ++slot)
        for (int k = 0; k < CurveLibraryDigest::kValueCount; ++k)
            EXPECT_NEAR(computed[slot][k], golden[slot][k], 1e-12) << "slot " << slot << " value " << k;
}

TEST(CurveLibrary, RegeneratingTheGoldenDigestGivesTheCommittedBytes)
{
    EXPECT_EQ(CurveLibraryDigest::Format(CurveLibraryDigest::Compute(Library())), ReadRepoFile(kGoldenPath));
}
