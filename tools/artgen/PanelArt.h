#pragma once
// The large images: the editor background, the controls background with its section panels,
// the scope tab's heading plate, and the about tab's maker logo, version panel, team text and format badge.
#include "tools/artgen/Canvas.h"
#include "tools/artgen/Manifest.h"
#include "tools/artgen/Theme.h"

namespace artgen {

Canvas RenderBackground(const ImageEntry& entry, const Fonts& fonts);
Canvas RenderControlsBackground(const ImageEntry& entry, const Fonts& fonts);
// The scope tab's cover for the top panel's heading strip, with the scope's own title.
Canvas RenderScopeHeading(const ImageEntry& entry, const Fonts& fonts);
Canvas RenderVersionPanel(const ImageEntry& entry);
Canvas RenderMakerLogo(const ImageEntry& entry, const Fonts& fonts);
Canvas RenderTeamText(const ImageEntry& entry, const Fonts& fonts);
Canvas RenderFormatBadge(const ImageEntry& entry, const Fonts& fonts);

}  // namespace artgen
