#pragma once

namespace Wezmark
{
class DistortionDataProvider;

// Compressors, limiters, saturations, the logarithmic fuzzes, the staircase and the
// saturator shapes: slots 1..18, 34..38, 53, 81 and 82.
void BuildSimpleCurves(DistortionDataProvider& library);
}
