// zv_artgen <repository> [--out <folder>] [--sheet <png>]
// Renders every image of the manifest into the repository (or into another folder that takes
// its place) with the resource script and the native resource table, and optionally a
// contact sheet for review.
#include <cstdio>
#include <exception>
#include <string>

#include "tools/artgen/ArtGenerator.h"
#include "tools/artgen/ContactSheet.h"
#include "tools/artgen/PngFile.h"

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: zv_artgen <repository> [--out <folder>] [--sheet <png>]\n");
        return 2;
    }
    const std::string repository = argv[1];
    std::string output = repository, sheet;
    for (int i = 2; i + 1 < argc; i += 2) {
        const std::string option = argv[i];
        if (option == "--out") output = argv[i + 1];
        else if (option == "--sheet") sheet = argv[i + 1];
        else {
            std::fprintf(stderr, "zv_artgen: unknown option %s\n", option.c_str());
            return 2;
        }
    }
    try {
        std::string error;
        const auto manifest = artgen::Manifest::Load(repository + "/" + artgen::kManifestPath, error);
        if (!manifest) {
            std::fprintf(stderr, "zv_artgen: %s\n", error.c_str());
            return 1;
        }
        const artgen::Fonts fonts = artgen::Fonts::Load();
        if (!artgen::GenerateAll(*manifest, fonts, output, error)) {
            std::fprintf(stderr, "zv_artgen: %s\n", error.c_str());
            return 1;
        }
        if (!sheet.empty()) {
            const artgen::Canvas image = artgen::RenderContactSheet(*manifest, fonts);
            if (!artgen::WritePng(sheet, image.Width(), image.Height(), image.ToRgba8())) {
                std::fprintf(stderr, "zv_artgen: cannot write %s\n", sheet.c_str());
                return 1;
            }
        }
    } catch (const std::exception& failure) {
        std::fprintf(stderr, "zv_artgen: %s\n", failure.what());
        return 1;
    }
    return 0;
}
