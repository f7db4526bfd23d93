#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <fstream>
#include <memory>
#include <numbers>
#include <sstream>

#include <unistd.h>

#include "ArtworkFixture.h"
#include "graphics/PIX_MemBitmap.h"
#include "graphics/PngDecoder.h"
#include "tools/artgen/KnobArt.h"

namespace {

std::string ReadFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

std::unique_ptr<PIX_MemBitmap> Decode(const artgen::ImageEntry& entry) {
    return std::unique_ptr<PIX_MemBitmap>(LoadPngFromFile((kRepository + "/" + entry.path).c_str(), nullptr));
}

TEST(CommittedArtwork, EveryImageDecodesAsItsFramesStacked) {
    for (const auto& entry : CommittedManifest().Entries()) {
        SCOPED_TRACE(entry.path);
        const auto bitmap = Decode(entry);
        ASSERT_NE(bitmap, nullptr);
        EXPECT_EQ(bitmap->GetWidth(), entry.frameWidth);
        EXPECT_EQ(bitmap->GetHeight(), entry.frames * entry.frameHeight);
    }
}

TEST(CommittedArtwork, ResourceScriptListsEveryImage) {
    const std::string script = ReadFile(kRepository + "/" + artgen::kResourceScriptPath);
    for (const auto& entry : CommittedManifest().Entries()) {
        const std::string line = std::to_string(entry.id) + " PNG \"" + entry.path + "\"\n";
        EXPECT_NE(script.find(line), std::string::npos) << line;
    }
}

TEST(CommittedArtwork, RegeneratingGivesTheSameBytes) {
    const std::filesystem::path out =
        std::filesystem::temp_directory_path() / ("zv-artwork-" + std::to_string(::getpid()));
    std::filesystem::remove_all(out);
    std::string error;
    ASSERT_TRUE(artgen::GenerateAll(CommittedManifest(), artgen::Fonts::Load(), out.string(), error)) << error;
    std::vector<std::string> files = {artgen::kResourceScriptPath, artgen::kResourceTablePath};
    for (const auto& entry : CommittedManifest().Entries()) files.push_back(entry.path);
    for (const std::string& file : files) {
        const std::string committed = ReadFile(kRepository + "/" + file);
        EXPECT_FALSE(committed.empty()) << file;
        EXPECT_TRUE(committed == ReadFile((out / file).string())) << file << " differs: run zv_artgen and commit";
    }
    std::filesystem::remove_all(out);
}

// The angle of the pointer (the bright pixels on the knob body), clockwise from twelve o'clock.
double PointerDegrees(PIX_MemBitmap& bitmap, int frame, int size) {
    const double centre = size / 2.0;
    double sumX = 0.0, sumY = 0.0;
    for (int y = 0; y < size; ++y) {
        const uint32_t* row = bitmap.GetPixelData() + std::size_t(frame * size + y) * bitmap.GetRowStride();
        for (int x = 0; x < size; ++x) {
            const uint32_t p = row[x];
            const int a = p >> 24, r = (p >> 16) & 0xFF, g = (p >> 8) & 0xFF, b = p & 0xFF;
            const double dx = x + 0.5 - centre, dy = y + 0.5 - centre;
            if (a > 200 && r > 200 && g > 200 && b > 200 && std::hypot(dx, dy) < size * 0.32) {
                sumX += dx;
                sumY += dy;
            }
        }
    }
    return std::atan2(sumX, -sumY) * 180.0 / std::numbers::pi;
}

TEST(CommittedArtwork, KnobsTurnFromMinus135ToPlus135Degrees) {
    for (const auto& entry : CommittedManifest().Entries()) {
        if (entry.renderer != "knob") continue;
        SCOPED_TRACE(entry.path);
        const auto bitmap = Decode(entry);
        ASSERT_NE(bitmap, nullptr);
        EXPECT_NEAR(PointerDegrees(*bitmap, 0, entry.frameWidth), artgen::kKnobStartDegrees, 4.0);
        EXPECT_NEAR(PointerDegrees(*bitmap, entry.frames - 1, entry.frameWidth), artgen::kKnobEndDegrees, 4.0);
        EXPECT_NEAR(PointerDegrees(*bitmap, (entry.frames - 1) / 2, entry.frameWidth),
                    artgen::KnobAngle((entry.frames - 1) / 2, entry.frames), 4.0);
    }
}

}  // namespace
