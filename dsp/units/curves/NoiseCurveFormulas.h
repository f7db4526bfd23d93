#pragma once

class LcgRandom;

namespace Wezmark
{
class DistortionDataProvider;

// The shapes with random ripples, slots 23..28 and 33, drawn in that order from `random`.
void BuildNoiseCurves(DistortionDataProvider& library, LcgRandom& random);
}
