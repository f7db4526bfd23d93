#pragma once

namespace Wezmark
{
class DistortionDataProvider;

// Shapes made of sine mixtures and saw-tooth ripples: slots 19..22, 29..32, 39..44, 52 and 84.
void BuildHarmonicCurves(DistortionDataProvider& library);
}
