#pragma once
// Renders every image of the manifest and writes it with the files derived from the manifest:
// the Windows resource script and the native build's resource table.
#include <string>

#include "tools/artgen/Canvas.h"
#include "tools/artgen/Manifest.h"
#include "tools/artgen/Theme.h"

namespace artgen {

// The manifest and the generated files, from the repository root.
inline constexpr const char* kManifestPath = "resources/img/manifest.txt";
inline constexpr const char* kResourceScriptPath = "resources/img/Images.rc";
inline constexpr const char* kResourceTablePath = "resources/img/ImageResources.h";

// The image of one entry (frames stacked vertically); throws std::invalid_argument for an
// unknown renderer.
Canvas RenderImage(const ImageEntry& entry, const Fonts& fonts);

std::string ResourceScript(const Manifest& manifest);
std::string ResourceTable(const Manifest& manifest);

// Writes every image and both derived files under `outputRoot`, which takes the place of the
// repository root. Returns false and names the file in `error` when one cannot be written.
bool GenerateAll(const Manifest& manifest, const Fonts& fonts, const std::string& outputRoot, std::string& error);

}  // namespace artgen
