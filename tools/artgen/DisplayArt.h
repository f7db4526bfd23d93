#pragma once
// Display backgrounds the controls draw over: LCD panels with grids (curve editor, signal
// preview, band split, scope), drop-down fields, the EQ frequency strip, the info row and the
// zoom read-out.
#include "tools/artgen/Canvas.h"
#include "tools/artgen/Manifest.h"
#include "tools/artgen/Theme.h"

namespace artgen {

Canvas RenderLcd(const ImageEntry& entry, const Fonts& fonts);
Canvas RenderDropDown(const ImageEntry& entry);
Canvas RenderFrequencyStrip(const ImageEntry& entry);
Canvas RenderInfoDisplay(const ImageEntry& entry);
Canvas RenderZoomDisplay(const ImageEntry& entry);

}  // namespace artgen
