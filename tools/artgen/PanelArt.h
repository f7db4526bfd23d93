#pragma once
// The large images: the editor background, the controls background with its section panels,
// the scope tab's heading plate, and the about tab's maker logo, version panel, team text and format badge.
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

// The plug-in tab's section names, and how one is drawn (the canvas `dx`, `dy` from the editor's
// top left).
std::span<const Heading> PlugInHeadings();
void DrawHeading(Canvas& c, const Fonts& fonts, const Heading& heading, double dx = 0.0, double dy = 0.0);

Canvas RenderBackground(const ImageEntry& entry, const Fonts& fonts);
Canvas RenderControlsBackground(const ImageEntry& entry, const Fonts& fonts);
// The scope tab's cover for the top panel's heading strip, with the scope's own title.
Canvas RenderScopeHeading(const ImageEntry& entry, const Fonts& fonts);
Canvas RenderVersionPanel(const ImageEntry& entry);
Canvas RenderMakerLogo(const ImageEntry& entry, const Fonts& fonts);
Canvas RenderTeamText(const ImageEntry& entry, const Fonts& fonts);
Canvas RenderFormatBadge(const ImageEntry& entry, const Fonts& fonts);

}  // namespace artgen
