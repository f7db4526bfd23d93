#pragma once
// Knob strips: a fixed body, a pointer turning from -135 to +135 degrees over the frames, and
// a value arc in the section's accent (from the start, from the centre for bipolar knobs, or
// a dot per step for stepped knobs).
#include "tools/artgen/Canvas.h"
#include "tools/artgen/Manifest.h"

namespace artgen {

inline constexpr double kKnobStartDegrees = -135.0;
inline constexpr double kKnobEndDegrees = 135.0;

// The pointer angle of frame `index` of `frames` (frame i shows the value i / (frames - 1)).
double KnobAngle(int index, int frames);

Canvas RenderKnob(const ImageEntry& entry);

}  // namespace artgen
