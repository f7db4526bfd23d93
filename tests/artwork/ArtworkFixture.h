#pragma once
// The committed manifest, loaded once for the artwork tests.
#include <gtest/gtest.h>

#include <string>

#include "tools/artgen/ArtGenerator.h"
#include "tools/artgen/Manifest.h"

inline const std::string kRepository = ZV_REPO_DIR;

inline const artgen::Manifest& CommittedManifest() {
    static const artgen::Manifest manifest = [] {
        std::string error;
        auto loaded = artgen::Manifest::Load(kRepository + "/" + artgen::kManifestPath, error);
        if (!loaded) throw std::runtime_error(error);
        return *loaded;
    }();
    return manifest;
}

inline const artgen::ImageEntry& EntryById(int id) {
    for (const auto& e : CommittedManifest().Entries())
        if (e.id == id) return e;
    throw std::runtime_error("no image " + std::to_string(id));
}
