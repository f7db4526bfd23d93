#include "tools/artgen/PanelArt.h"

#include <cmath>

#include "tools/artgen/Shapes.h"

namespace artgen {

namespace {
// Where the editor places the controls background (x is centred on the 650-pixel editor).
constexpr double kControlsTop = 35.0;

struct Section {
    double left, top, right, bottom;  // editor pixels
    const char* accent;
    const char* title;       // drawn at the top left, or none
    double titleX, titleBaseline;
};

// The plug-in tab's sections as the section layouts place their controls.
constexpr Section kSections[] = {
    {38, 44, 612, 290, "distortion", "DISTORTION", 48, 63},
    {38, 294, 318, 440, "filter", "FILTER", 72, 311},
    {324, 294, 612, 440, "eq", nullptr, 0, 0},
    {38, 444, 612, 576, "split", "BAND SPLIT", 72, 461},
    {38, 610, 232, 716, "io", "INPUT", 226, 623},
    {236, 610, 612, 716, "io", "OUTPUT", 248, 623},
};

void SectionPanel(Canvas& c, const Section& s, double dx, double dy, const Fonts& fonts) {
    const double l = s.left - dx, t = s.top - dy, r = s.right - dx, b = s.bottom - dy;
    const Colour accent = Accent(s.accent);
    c.Fill(Soften(RoundRect(l, t + 1, r, b + 1, 6.0), 2.0), Hex(0x000000, 0.5));
    c.Fill(RoundRect(l, t, r, b, 6.0), VerticalGradient(t, Hex(0x2A2F37), b, Hex(0x1A1D22)));
    c.Fill(RoundRect(l + 1, t + 1, r - 1, b - 1, 5.0), VerticalGradient(t, Hex(0x1E2228), b, Hex(0x181B20)));
    // A faint wash of the section's colour under its top edge.
    c.Fill(RoundRect(l + 1, t + 1, r - 1, b - 1, 5.0),
           [=](double, double y) { return WithAlpha(accent, 0.06 * std::max(0.0, 1.0 - (y - t) / 60.0)); },
           Box{l, t, r, std::min(b, t + 62)});
    c.Fill(Capsule(l + 10, t + 1.5, l + 34, t + 1.5, 1.6), accent);
    if (s.title == nullptr) return;
    const bool rightAligned = s.titleX > (s.left + s.right) / 2 && s.right - s.left < 250;
    fonts.heading.Draw(c, s.title, s.top == 44 ? 12.0 : 9.5, s.titleX - dx, s.titleBaseline - dy, accent,
                       rightAligned ? Align::Right : Align::Left, s.top == 44 ? 2.4 : 1.6);
}
}  // namespace

Canvas RenderBackground(const ImageEntry& entry, const Fonts& fonts) {
    const double w = entry.frameWidth, h = entry.frameHeight;
    Canvas c(entry.frameWidth, entry.frameHeight);
    c.Fill(RoundRect(-10, -10, w + 10, h + 10, 0.0), VerticalGradient(0, theme::kEditorTop, h, theme::kEditorBottom));
    // Header: the product's word mark and the maker's name.
    c.Fill(RoundRect(-10, -10, w + 10, kControlsTop, 0.0), VerticalGradient(0, Hex(0x23272E), kControlsTop, Hex(0x16191D)));
    c.Fill(Capsule(0, kControlsTop - 0.5, w, kControlsTop - 0.5, 1.0), Hex(0x000000, 0.8));
    c.Fill(Capsule(18, 12, 24, 23, 2.4), theme::kBrand);
    c.Fill(Capsule(24, 23, 30, 12, 2.4), theme::kBrand);
    fonts.heading.Draw(c, "ZARVOTONE", 15.0, 38, 24, theme::kTextBright, Align::Left, 3.0);
    fonts.label.Draw(c, "DUAL-BAND DISTORTION", 9.5, 182, 23.5, theme::kTextDim, Align::Left, 1.6);
    fonts.heading.Draw(c, "WEZMARK", 10.0, w - 18, 23, theme::kTextFaint, Align::Right, 3.0);
    // Footer behind the tab buttons.
    c.Fill(Capsule(0, 776.5, w, 776.5, 1.0), Hex(0x000000, 0.6));
    return c;
}

Canvas RenderControlsBackground(const ImageEntry& entry, const Fonts& fonts) {
    const double w = entry.frameWidth, h = entry.frameHeight;
    const double dx = (650.0 - w) / 2, dy = kControlsTop;
    Canvas c(entry.frameWidth, entry.frameHeight);
    c.Fill(RoundRect(0, 0, w, h, 8.0), VerticalGradient(0, Hex(0x15181C), h, Hex(0x101215)));
    c.Fill(Subtract(RoundRect(0, 0, w, h, 8.0), RoundRect(1, 1, w - 1, h - 1, 7.0)), Hex(0x262A31));
    for (const Section& s : kSections) SectionPanel(c, s, dx, dy, fonts);
    fonts.heading.Draw(c, "DYNAMIC SHAPER", 12.0, 602 - dx, 63 - dy, Accent("distortion"), Align::Right, 2.4);
    return c;
}

Canvas RenderVersionPanel(const ImageEntry& entry) {
    const double w = entry.frameWidth, h = entry.frameHeight;
    Canvas c(entry.frameWidth, entry.frameHeight);
    c.Fill(Soften(RoundRect(0, 2, w, h, 8.0), 2.0), Hex(0x000000, 0.5));
    c.Fill(RoundRect(0.5, 0.5, w - 0.5, h - 1, 8.0), VerticalGradient(0, Hex(0x30353D), h, Hex(0x1A1D22)));
    c.Fill(RoundRect(1.5, 1.5, w - 1.5, h - 2, 7.0), VerticalGradient(0, Hex(0x1F2329), h, Hex(0x15181C)));
    c.Fill(Capsule(w / 2 - 40, 2.5, w / 2 + 40, 2.5, 1.8), theme::kBrand);
    return c;
}

Canvas RenderMakerLogo(const ImageEntry& entry, const Fonts& fonts) {
    const double w = entry.frameWidth;
    // The panel ends above the version panel, which the about tab places 360 rows lower.
    constexpr double kPanelBottom = 350.0;
    Canvas c(entry.frameWidth, entry.frameHeight);
    c.Fill(RoundRect(0.5, 0.5, w - 0.5, kPanelBottom, 10.0), VerticalGradient(0, Hex(0x2C3138), kPanelBottom, Hex(0x1A1D22)));
    c.Fill(RoundRect(1.5, 1.5, w - 1.5, kPanelBottom - 1, 9.0), VerticalGradient(0, Hex(0x1C2026), kPanelBottom, Hex(0x121418)));
    // The emblem: a ring around a folded wave that draws the maker's initial.
    const double cx = w / 2, cy = 130.0, r = 72.0;
    c.Fill(Soften(Circle(cx, cy, r + 8), 14.0), WithAlpha(theme::kBrand, 0.18));
    c.Fill(Subtract(Circle(cx, cy, r), Circle(cx, cy, r - 6)), VerticalGradient(cy - r, Hex(0xFFB07A), cy + r, Hex(0xE0502A)));
    const double points[][2] = {{-44, -22}, {-22, 30}, {0, -8}, {22, 30}, {44, -22}};
    for (int k = 0; k + 1 < 5; ++k)
        c.Fill(Capsule(cx + points[k][0], cy + points[k][1], cx + points[k + 1][0], cy + points[k + 1][1], 9.0),
               VerticalGradient(cy - 30, theme::kTextBright, cy + 30, Hex(0xB9C1CC)));
    fonts.heading.Draw(c, "WEZMARK", 46.0, cx, 272, theme::kTextBright, Align::Centre, 9.0);
    fonts.label.Draw(c, "AUDIO SOFTWARE", 12.0, cx, 306, theme::kTextDim, Align::Centre, 5.0);
    return c;
}

Canvas RenderTeamText(const ImageEntry& entry, const Fonts& fonts) {
    const double w = entry.frameWidth;
    Canvas c(entry.frameWidth, entry.frameHeight);
    fonts.text.Draw(c, "Designed and built by the Wezmark team", 13.0, w / 2, 24, theme::kTextBright);
    fonts.text.Draw(c, "DSP \u00B7 interface \u00B7 factory programs", 11.0, w / 2, 46, theme::kTextDim);
    return c;
}

Canvas RenderFormatBadge(const ImageEntry& entry, const Fonts& fonts) {
    const double w = entry.frameWidth, h = entry.frameHeight;
    Canvas c(entry.frameWidth, entry.frameHeight);
    c.Fill(Subtract(RoundRect(0.5, 0.5, w - 0.5, h - 0.5, 8.0), RoundRect(2.0, 2.0, w - 2.0, h - 2.0, 6.5)), theme::kTextDim);
    c.Fill(RoundRect(2.0, 2.0, w - 2.0, h - 2.0, 6.5), Hex(0x14171B, 0.9));
    fonts.heading.Draw(c, "VST 2.4 \u00B7 VST3", 16.0, w / 2, 28, theme::kTextBright, Align::Centre, 1.0);
    fonts.label.Draw(c, "PLUG-IN FORMATS", 9.0, w / 2, 45, theme::kTextDim, Align::Centre, 2.0);
    return c;
}

}  // namespace artgen
