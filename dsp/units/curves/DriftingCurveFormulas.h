#pragma once

namespace Wezmark
{
class DistortionDataProvider;

// The industrial fuzzes, slots 49..51: drifting offsets and sines whose phase offsets double
// at every point, so that their arguments grow to some 1e298.
void BuildDriftingCurves(DistortionDataProvider& library);
}
