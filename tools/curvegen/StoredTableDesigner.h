#pragma once

#include "tools/curvegen/StoredTableShapes.h"

#include <string>
#include <vector>

// Samples a stored-curve design at 512 points, bends it locally onto its fixed entries, keeps it
// within -1..1 and rounds it to the 15 decimals that the table text carries.
class StoredTableDesigner
{
public:
    static constexpr int kPointCount = 512;
    static constexpr int kDecimals = 15;

    static std::vector<double> Sample(const StoredTableShape& design);

    // The text of StoredCurveTables.inc: one braced row of 512 values per slot 54..80.
    static std::string FormatTables();

private:
    static void BendOntoPins(const std::vector<TablePin>& pins, std::vector<double>& values);
};
