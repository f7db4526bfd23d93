#pragma once
// The list of the editor's images (resources/img/manifest.txt): the one source for the
// generator, the resource script, the native resource table and the artwork tests.
#include <map>
#include <optional>
#include <string>
#include <vector>

namespace artgen {

struct ImageEntry {
    int id = 0;
    std::string path;  // from the repository root, as the editor names the image
    int frames = 1;
    int frameWidth = 0;
    int frameHeight = 0;
    std::string renderer;
    std::map<std::string, std::string> parameters;

    int ImageHeight() const { return frames * frameHeight; }
    std::string Parameter(const std::string& key, const std::string& fallback = "") const;
    // The "|"-separated values of a parameter.
    std::vector<std::string> List(const std::string& key) const;
};

class Manifest {
public:
    // Parses the manifest text; on a malformed line returns nothing and names the line in `error`.
    static std::optional<Manifest> Parse(const std::string& text, std::string& error);
    static std::optional<Manifest> Load(const std::string& file, std::string& error);

    const std::vector<ImageEntry>& Entries() const { return entries_; }

private:
    std::vector<ImageEntry> entries_;
};

}  // namespace artgen
