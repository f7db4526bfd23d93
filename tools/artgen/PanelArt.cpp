#include "tools/artgen/PanelArt.h"

#include <cmath>
#include <cstddef>
#include <span>

#include "tools/artgen/Shapes.h"

namespace artgen {

namespace {
// The corners of the section panels, and of the about tab's plates that lie over them.
constexpr double kPanelRadius = 6.0;
// Where the editor places the controls background (x is centred on the 650-pixel editor).
constexpr double kControlsTop = 35.0;
constexpr int kControlsWidth = 620, kControlsHeight = 740;

// The plug-in tab's sections as the section layouts place their controls. They span x 40-610,
// as the about tab's plates do, so those cover them; the scope tab covers the top panel's
// heading strip (y 47-100) and the strip under its wave display (y 688-730) with plates of its own.
constexpr Panel kPanels[] = {
    {40, 50, 610, 290, "distortion"}, {40, 294, 318, 440, "filter"}, {324, 294, 610, 440, "eq"},
    {40, 444, 610, 576, "split"},     {40, 610, 232, 716, "io"},     {236, 610, 610, 716, "io"},
};

// Every titled section: the name after the accent at its top left, 17 pixels under its top.
// The input and output panels have captions from 2 pixels under their tops and knob names from
// 17, so their names sit 14 under the top, where those leave room: the input's at its top right
// (its volume caption takes the left), the output's after the accent; the two meet across the gap
// between the panels. The equaliser panel is named by its page tabs.
constexpr Heading kPlugInHeadings[] = {
    {"DISTORTION", "distortion", 72, 67, Align::Left},
    {"DYNAMIC SHAPER", "distortion", 600, 67, Align::Right},
    {"FILTER", "filter", 72, 311, Align::Left},
    {"BAND SPLIT", "split", 72, 461, Align::Left},
    {"INPUT", "io", 222, 624, Align::Right},
    {"OUTPUT", "io", 268, 624, Align::Left},
};
constexpr Heading kScopeHeadings[] = {{"OSCILLOSCOPE", "scope", 72, 67, Align::Left}};
constexpr double kHeadingSize = 9.5, kHeadingTracking = 1.6;

// Where the scope tab's heading plate sits in the editor: the top panel's strip with its shadow.
constexpr int kScopeHeadingLeft = 37, kScopeHeadingTop = 47;

// The scope tab's button row sits on a panel as wide as the wave display above it, which hides
// the panel's top; its plate, from 2 rows under the display's top edge, covers what the plug-in
// tab's lower panels would show there.
constexpr Panel kScopeButtonPanel = {20, 650, 631, 726, "scope"};
constexpr int kScopeButtonStripLeft = 17, kScopeButtonStripTop = 688;

void SectionPanel(Canvas& c, const Panel& s, const char* accentName, double dx, double dy) {
    const double l = s.left - dx, t = s.top - dy, r = s.right - dx, b = s.bottom - dy;
    const Colour accent = Accent(accentName);
    const Box box{l - 3, t - 3, r + 3, b + 3};
    c.Fill(Soften(RoundRect(l, t + 1, r, b + 1, kPanelRadius), 2.0), Hex(0x000000, 0.5), box);
    c.Fill(RoundRect(l, t, r, b, kPanelRadius), VerticalGradient(t, Hex(0x2A2F37), b, Hex(0x1A1D22)), box);
    c.Fill(RoundRect(l + 1, t + 1, r - 1, b - 1, kPanelRadius - 1), VerticalGradient(t, Hex(0x1E2228), b, Hex(0x181B20)),
           box);
    // A faint wash of the section's colour under its top edge.
    c.Fill(RoundRect(l + 1, t + 1, r - 1, b - 1, kPanelRadius - 1),
           [=](double, double y) { return WithAlpha(accent, 0.06 * std::max(0.0, 1.0 - (y - t) / 60.0)); },
           Box{l, t, r, std::min(b, t + 62)});
    c.Fill(Capsule(l + 10, t + 1.5, l + 34, t + 1.5, 1.6), accent);
}

// The controls background's plate without its panels.
Canvas PlainPlate(int w, int h) {
    Canvas c(w, h);
    c.Fill(RoundRect(0, 0, w, h, 8.0), VerticalGradient(0, Hex(0x15181C), h, Hex(0x101215)));
    c.Fill(Subtract(RoundRect(0, 0, w, h, 8.0), RoundRect(1, 1, w - 1, h - 1, 7.0)), Hex(0x262A31));
    return c;
}

// Where the editor places the controls background's top left corner.
constexpr double kPlateLeft = (650.0 - kControlsWidth) / 2;

// The controls background with its panels; the top panel in `topAccent`, titled by `headings`.
template <size_t N>
Canvas ControlsPlate(int w, int h, const Fonts& fonts, const char* topAccent, const Heading (&headings)[N]) {
    const double dx = (650.0 - w) / 2, dy = kControlsTop;
    Canvas c = PlainPlate(w, h);
    for (const Panel& p : kPanels) SectionPanel(c, p, &p == kPanels ? topAccent : p.accent, dx, dy);
    for (const Heading& t : headings) DrawHeading(c, fonts, t, dx, dy);
    return c;
}

// One slice of the about tab's page: the tab stacks its images into one continuous plate from
// x 40 to 610, so only the outer edges get borders and rounded corners.
enum class Slice { Top, Middle, Bottom };

void AboutPlate(Canvas& c, double height, Slice slice) {
    const double w = c.Width();
    const double top = slice == Slice::Top ? 0.0 : -20.0, bottom = slice == Slice::Bottom ? height : height + 20.0;
    const Box box{0, 0, w, height};
    c.Fill(RoundRect(0, top, w, bottom, kPanelRadius), Hex(0x2A2F37), box);
    c.Fill(RoundRect(1, top + 1, w - 1, bottom - 1, kPanelRadius - 1), Hex(0x17191E), box);
}
}  // namespace

void DrawHeading(Canvas& c, const Fonts& fonts, const Heading& heading, double dx, double dy) {
    fonts.heading.Draw(c, heading.title, kHeadingSize, heading.x - dx, heading.baseline - dy, Accent(heading.accent),
                       heading.align, kHeadingTracking);
}

std::span<const Heading> PlugInHeadings() { return kPlugInHeadings; }
std::span<const Panel> PlugInPanels() { return kPanels; }

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
    return ControlsPlate(entry.frameWidth, entry.frameHeight, fonts, kPanels[0].accent, kPlugInHeadings);
}

Canvas RenderScopeHeading(const ImageEntry& entry, const Fonts& fonts) {
    // Cut from the same plate, so it meets the panel around it without a seam.
    const Canvas plate = ControlsPlate(kControlsWidth, kControlsHeight, fonts, "scope", kScopeHeadings);
    return plate.Crop(kScopeHeadingLeft - static_cast<int>(kPlateLeft), kScopeHeadingTop - static_cast<int>(kControlsTop),
                      entry.frameWidth, entry.frameHeight);
}

Canvas RenderScopeButtonStrip(const ImageEntry& entry) {
    Canvas plate = PlainPlate(kControlsWidth, kControlsHeight);
    SectionPanel(plate, kScopeButtonPanel, kScopeButtonPanel.accent, kPlateLeft, kControlsTop);
    return plate.Crop(kScopeButtonStripLeft - static_cast<int>(kPlateLeft),
                      kScopeButtonStripTop - static_cast<int>(kControlsTop), entry.frameWidth, entry.frameHeight);
}

Canvas RenderVersionPanel(const ImageEntry& entry) {
    const double w = entry.frameWidth, h = entry.frameHeight;
    Canvas c(entry.frameWidth, entry.frameHeight);
    AboutPlate(c, h, Slice::Middle);
    // A card for the version texts and the level eyes.
    c.Fill(RoundRect(40, 22, w - 40, h - 8, 8.0), VerticalGradient(22, Hex(0x2C3139), h - 8, Hex(0x1F2228)));
    c.Fill(RoundRect(41, 23, w - 41, h - 9, 7.0), VerticalGradient(22, Hex(0x1F2329), h - 8, Hex(0x15181C)));
    c.Fill(Capsule(w / 2 - 40, 23.5, w / 2 + 40, 23.5, 1.8), theme::kBrand);
    // Light wells behind the two level eyes (50 x 50 at rows 60-110, 60 pixels in from either
    // side), so an eye that glows only dark red still reads on the dark card.
    constexpr double kEyeInset = 60, kEyeTop = 60, kEyeSize = 50;
    for (const double l : {kEyeInset, w - kEyeInset - kEyeSize}) {
        const double r = l + kEyeSize, b = kEyeTop + kEyeSize;
        c.Fill(RoundRect(l - 4, kEyeTop - 4, r + 4, b + 4, 5.0), theme::kTextFaint);
        c.Fill(RoundRect(l - 3, kEyeTop - 3, r + 3, b + 3, 4.0),
               VerticalGradient(kEyeTop, Hex(0xC9D0DA), b, Hex(0xA3ACB8)));
    }
    return c;
}

Canvas RenderMakerLogo(const ImageEntry& entry, const Fonts& fonts) {
    const double w = entry.frameWidth, h = entry.frameHeight;
    Canvas c(entry.frameWidth, entry.frameHeight);
    AboutPlate(c, h, Slice::Top);
    c.Fill(RoundRect(1, 1, w - 1, 200, kPanelRadius - 1), [](double, double y) { return WithAlpha(theme::kBrand, 0.05 * (1.0 - y / 200.0)); },
           Box{0, 0, w, 200});
    // The emblem: a ring around a folded wave that draws the maker's initial.
    const double cx = w / 2, cy = 140.0, r = 72.0;
    c.Fill(Soften(Circle(cx, cy, r + 8), 14.0), WithAlpha(theme::kBrand, 0.18));
    c.Fill(Subtract(Circle(cx, cy, r), Circle(cx, cy, r - 6)), VerticalGradient(cy - r, Hex(0xFFB07A), cy + r, Hex(0xE0502A)));
    const double points[][2] = {{-44, -22}, {-22, 30}, {0, -8}, {22, 30}, {44, -22}};
    for (int k = 0; k + 1 < 5; ++k)
        c.Fill(Capsule(cx + points[k][0], cy + points[k][1], cx + points[k + 1][0], cy + points[k + 1][1], 9.0),
               VerticalGradient(cy - 30, theme::kTextBright, cy + 30, Hex(0xB9C1CC)));
    fonts.heading.Draw(c, "WEZMARK", 46.0, cx, 282, theme::kTextBright, Align::Centre, 9.0);
    fonts.label.Draw(c, "AUDIO SOFTWARE", 12.0, cx, 316, theme::kTextDim, Align::Centre, 5.0);
    return c;
}

Canvas RenderTeamText(const ImageEntry& entry, const Fonts& fonts) {
    const double w = entry.frameWidth, h = entry.frameHeight;
    Canvas c(entry.frameWidth, entry.frameHeight);
    AboutPlate(c, h, Slice::Middle);
    fonts.text.Draw(c, "Designed and built by the Wezmark team", 13.0, w / 2, 30, theme::kTextBright);
    fonts.text.Draw(c, "DSP \u00B7 interface \u00B7 factory programs", 11.0, w / 2, 52, theme::kTextDim);
    return c;
}

Canvas RenderFormatBadge(const ImageEntry& entry, const Fonts& fonts) {
    const double w = entry.frameWidth, h = entry.frameHeight;
    Canvas c(entry.frameWidth, entry.frameHeight);
    AboutPlate(c, h, Slice::Bottom);
    // A plain text badge of our own, centred on the plate.
    const double bw = 180, bh = 56, l = (w - bw) / 2, t = 18;
    c.Fill(Subtract(RoundRect(l + 0.5, t + 0.5, l + bw - 0.5, t + bh - 0.5, 8.0), RoundRect(l + 2, t + 2, l + bw - 2, t + bh - 2, 6.5)),
           theme::kTextDim);
    fonts.heading.Draw(c, "VST 2.4 \u00B7 VST3", 16.0, w / 2, t + 28, theme::kTextBright, Align::Centre, 1.0);
    fonts.label.Draw(c, "PLUG-IN FORMATS", 9.0, w / 2, t + 45, theme::kTextDim, Align::Centre, 2.0);
    return c;
}

}  // namespace artgen
