#pragma once

#include <vector>

// The designs of the 27 stored curves of the built-in library (slots 54..80): a shape
// function of the input x in -1..1 for each, plus the entries whose values are fixed.
struct TablePin
{
    int entry;
    const char* value; // as written in the table, 15 decimals
};

struct StoredTableShape
{
    int slot;
    const char* name;
    double (*shape)(double x);
    std::vector<TablePin> pins;
};

const std::vector<StoredTableShape>& StoredTableShapes();
