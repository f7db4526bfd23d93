#include "dsp/units/curves/StoredCurveTables.h"

namespace StoredCurveTables
{
const double kTables[kTableCount][kPointCount] = {
#include "dsp/units/curves/StoredCurveTables.inc"
};
}
