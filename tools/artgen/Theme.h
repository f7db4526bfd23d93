#pragma once
// The editor's dark theme: neutral surfaces, one accent per section, and the fonts.
#include <string>

#include "tools/artgen/Canvas.h"
#include "tools/artgen/Font.h"

namespace artgen {

namespace theme {
inline const Colour kEditorTop = Hex(0x1B1F25);
inline const Colour kEditorBottom = Hex(0x0D0F12);
inline const Colour kPanel = Hex(0x171A1F);
inline const Colour kPanelRaised = Hex(0x1D2127);
inline const Colour kHairline = Hex(0x2B3038);
inline const Colour kBevelLight = Hex(0x4A515C);
inline const Colour kControlTop = Hex(0x30353E);
inline const Colour kControlBottom = Hex(0x21252B);
inline const Colour kPressedTop = Hex(0x181B20);
inline const Colour kPressedBottom = Hex(0x23272E);
inline const Colour kWell = Hex(0x0B0D11);
inline const Colour kTextBright = Hex(0xEEF1F5);
inline const Colour kTextDim = Hex(0x8C95A3);
inline const Colour kTextFaint = Hex(0x5A626E);
inline const Colour kUnlit = Hex(0x3A404A);
inline const Colour kPowerOn = Hex(0x5CE0A0);
inline const Colour kBypassOn = Hex(0xFF5252);
inline const Colour kBrand = Hex(0xFF7A3D);
}  // namespace theme

// The accent of a section by its manifest name (distortion, filter, eq, split, io, program,
// scope); an unknown name gives the brand colour.
Colour Accent(const std::string& section);

struct Fonts {
    Font label;    // condensed bold: switch and button labels
    Font heading;  // bold: titles and the word marks
    Font text;     // regular: running text
    // The fonts come from the system's font package, by their usual install paths.
    static Fonts Load();
};

}  // namespace artgen
