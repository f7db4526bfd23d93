#pragma once

namespace Wezmark
{
class DistortionDataProvider;

// The hand-edited hardcore fuzzes, slots 45..48: eight half curves with cut and pasted ranges.
void BuildEditedCurves(DistortionDataProvider& library);
}
