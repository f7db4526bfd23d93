#include "dsp/units/StoredCurveTables.h"

namespace StoredCurveTables
{
const double kTables[kTableCount][kPointCount] = {
#include "dsp/units/StoredCurveTables.inc"
};
}
