#pragma once
// The large images: the editor background, the controls background with its section panels,
// the scope tab's heading and button-strip plates, and the about tab's maker logo, version panel, team text and format badge.
#include <span>

#include "tools/artgen/Canvas.h"
#include "tools/artgen/Manifest.h"
#include "tools/artgen/Theme.h"

namespace artgen {

// A section's name in the controls background, placed in editor pixels.
struct Heading {
    const char* title;
    const char* accent;
    double x, baseline;
    Align align;
};

// A section's panel in the controls background, in editor pixels (its soft shadow reaches a few
// pixels further).
struct Panel {
    double left, top, right, bottom;
    const char* accent;
};

// The plug-in tab's section panels.
std::span<const Panel> PlugInPanels();

// The plug-in tab's section names, and how one is drawn (the canvas `dx`, `dy` from the editor's
// top left).
std::span<const Heading> PlugInHeadings();
void DrawHeading(Canvas& c, const Fonts& fonts, const Heading& heading, double dx = 0.0, double dy = 0.0);

Canvas RenderBackground(const ImageEntry& entry, const Fonts& fonts);
Canvas RenderControlsBackground(const ImageEntry& entry, const Fonts& fonts);
// The scope tab's cover for the top panel's heading strip, with the scope's own title.
Canvas RenderScopeHeading(const ImageEntry& entry, const Fonts& fonts);
// The scope tab's cover for the strip under the wave display: a panel of its own for the buttons.
Canvas RenderScopeButtonStrip(const ImageEntry& entry);
Canvas RenderVersionPanel(const ImageEntry& entry);
Canvas RenderMakerLogo(const ImageEntry& entry, const Fonts& fonts);
Canvas RenderTeamText(const ImageEntry& entry, const Fonts& fonts);
Canvas RenderFormatBadge(const ImageEntry& entry, const Fonts& fonts);

}  // namespace artgen
