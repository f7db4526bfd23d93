#pragma once
// One review image showing every image of the manifest with its frames, id and name.
#include "tools/artgen/Canvas.h"
#include "tools/artgen/Manifest.h"
#include "tools/artgen/Theme.h"

namespace artgen {

// Long strips show every eighth frame and the last one.
Canvas RenderContactSheet(const Manifest& manifest, const Fonts& fonts);

}  // namespace artgen
