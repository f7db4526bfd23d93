#pragma once
// Switches, momentary buttons, tabs, the power and make-up switches and the slider parts.
// Frame 0 is the off (or released, or inactive) state; a switch's later frames follow its
// states in order.
#include "tools/artgen/Canvas.h"
#include "tools/artgen/Manifest.h"
#include "tools/artgen/Theme.h"

namespace artgen {

// A switch labelled with each state's meaning: two states light an LED, more states show a
// row of position marks.
Canvas RenderSwitch(const ImageEntry& entry, const Fonts& fonts);
// A momentary button: released, then pressed.
Canvas RenderButton(const ImageEntry& entry, const Fonts& fonts);
Canvas RenderArrowButton(const ImageEntry& entry);
Canvas RenderPowerSwitch(const ImageEntry& entry);
Canvas RenderLedSwitch(const ImageEntry& entry);
Canvas RenderBypassSwitch(const ImageEntry& entry, const Fonts& fonts);
// Editor tabs and the two equaliser page tabs (whose left 26 pixels hold an on/off switch).
Canvas RenderTab(const ImageEntry& entry, const Fonts& fonts);
Canvas RenderEqTab(const ImageEntry& entry, const Fonts& fonts);
Canvas RenderSliderTrack(const ImageEntry& entry);
Canvas RenderSliderHandle(const ImageEntry& entry);

}  // namespace artgen
