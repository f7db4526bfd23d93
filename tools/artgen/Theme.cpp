#include "tools/artgen/Theme.h"

#include <map>

namespace artgen {

Colour Accent(const std::string& section) {
    static const std::map<std::string, Colour> accents = {
        {"distortion", Hex(0xFF7A3D)}, {"filter", Hex(0x33C8E8)}, {"eq", Hex(0x8EDB5C)},
        {"split", Hex(0xB18CFF)},      {"io", Hex(0x4F9DFF)},     {"program", Hex(0xD9C27A)},
        {"scope", Hex(0x3DEBB4)},
    };
    const auto found = accents.find(section);
    return found == accents.end() ? theme::kBrand : found->second;
}

Fonts Fonts::Load() {
    const std::string folder = "/usr/share/fonts/truetype/dejavu/";
    return Fonts{Font(folder + "DejaVuSansCondensed-Bold.ttf"), Font(folder + "DejaVuSans-Bold.ttf"),
                 Font(folder + "DejaVuSans.ttf")};
}

}  // namespace artgen
