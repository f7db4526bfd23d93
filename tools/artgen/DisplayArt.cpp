#include "tools/artgen/DisplayArt.h"

#include <cmath>

#include "tools/artgen/Shapes.h"

namespace artgen {

namespace {
// A sunken glass panel filling the box.
void Well(Canvas& c, double left, double top, double right, double bottom, double radius) {
    c.Fill(RoundRect(left, top, right, bottom, radius), VerticalGradient(top, Hex(0x07080A), bottom, Hex(0x2A2F37)));
    c.Fill(RoundRect(left + 1, top + 1, right - 1, bottom - 1, radius - 0.8),
           VerticalGradient(top, Hex(0x080A0D), bottom, Hex(0x0E1216)));
}

void HorizontalLine(Canvas& c, double y, double left, double right, Colour colour) {
    c.Fill(Capsule(left, y, right, y, 1.0), colour, Box{left - 1, y - 1, right + 1, y + 1});
}

void VerticalLine(Canvas& c, double x, double top, double bottom, Colour colour) {
    c.Fill(Capsule(x, top, x, bottom, 1.0), colour, Box{x - 1, top - 1, x + 1, bottom + 1});
}
}  // namespace

Canvas RenderLcd(const ImageEntry& entry, const Fonts& fonts) {
    const double w = entry.frameWidth, h = entry.frameHeight;
    const Colour accent = Accent(entry.Parameter("accent"));
    const Colour minor = WithAlpha(accent, 0.09), major = WithAlpha(accent, 0.2);
    const std::string grid = entry.Parameter("grid");
    Canvas c(entry.frameWidth, entry.frameHeight);
    Well(c, 0.0, 0.0, w, h, 4.0);
    // Lines sit on pixel centres so they stay one pixel wide.
    if (grid == "curve") {
        // The editor draws 133 points centred in the display: a 4 x 4 grid over that square.
        const double inset = (w - 133.0) / 2, span = 132.0;
        for (int k = 0; k <= 8; ++k) {
            const double at = std::floor(inset + span * k / 8) + 0.5;
            const Colour colour = k == 4 ? major : minor;
            VerticalLine(c, at, inset, h - inset, colour);
            HorizontalLine(c, at, inset, w - inset, colour);
        }
        c.Fill(Capsule(inset, h - inset, w - inset, inset, 1.0), WithAlpha(accent, 0.10));
    } else if (grid == "preview") {
        // The preview draws 120 columns inside an equal integer margin; its zero line is half
        // the inner height down.
        const int inset = (entry.frameWidth - 120) / 2;
        const int half = (entry.frameHeight - 2 * inset) / 2;
        for (int k = 0; k <= 4; ++k) VerticalLine(c, inset + 30 * k + 0.5, inset, h - inset, minor);
        HorizontalLine(c, inset + 0.5, inset, w - inset, minor);
        HorizontalLine(c, inset + 2 * half + 0.5, inset, w - inset, minor);
        HorizontalLine(c, inset + half + 0.5, inset, w - inset, major);
    } else if (grid == "band") {
        // The display draws its bars 5 pixels in from the sides and 10 from top and bottom; a
        // column's frequency grows with the square of its place (a share of the sample rate).
        const double left = 5, right = w - 5, top = 10, bottom = h - 10;
        for (double hz : {100.0, 1000.0, 10000.0}) {
            const double x = std::floor(left + (right - left) * std::sqrt(hz / 22050.0)) + 0.5;
            VerticalLine(c, x, 3, h - 3, minor);
        }
        HorizontalLine(c, top + 0.5, left, right, minor);
        HorizontalLine(c, bottom + 0.5, left, right, major);
    } else if (grid == "scope") {
        // Two lanes (left above right) inside the drawer's 5-pixel margin.
        const double left = 5, top = 5, right = w - 5, bottom = h - 5;
        const double scale = std::floor((bottom - top) / 4);
        for (int k = 0; k <= 10; ++k) VerticalLine(c, std::floor(left + 600.0 * k / 10) + 0.5, top, bottom, minor);
        for (int lane = 0; lane < 2; ++lane) {
            const double centre = top + scale * (1 + 2 * lane);
            for (double level : {-1.0, -0.5, 0.5, 1.0})
                HorizontalLine(c, std::floor(centre - level * scale) + 0.5, left, right, std::abs(level) == 1.0 ? major : minor);
            fonts.label.Draw(c, lane == 0 ? "L" : "R", 11.0, left + 6, centre - scale + 16, WithAlpha(accent, 0.5), Align::Left);
        }
        HorizontalLine(c, std::floor(top + 2 * scale) + 0.5, left, right, WithAlpha(theme::kHairline, 1.0));
    }
    return c;
}

Canvas RenderDropDown(const ImageEntry& entry) {
    const double w = entry.frameWidth, h = entry.frameHeight;
    Canvas c(entry.frameWidth, entry.frameHeight);
    Well(c, 0.0, 0.0, w, h, 3.5);
    // A small arrow in the right margin, in the 10 columns the menu keeps its label out of.
    const double cx = w - 6.5, cy = h / 2;
    c.Fill(Triangle(cx - 2.6, cy - 1.4, cx + 2.6, cy - 1.4, cx, cy + 1.8), theme::kTextDim);
    return c;
}

Canvas RenderFrequencyStrip(const ImageEntry& entry) {
    const double w = entry.frameWidth, h = entry.frameHeight;
    Canvas c(entry.frameWidth, entry.frameHeight);
    Well(c, 0.0, 0.0, w, h, 3.5);
    // Dividers between the four band texts, which sit 65 pixels apart.
    for (int k = 1; k < 4; ++k) VerticalLine(c, 65.0 * k - 0.5, 4, h - 4, theme::kHairline);
    return c;
}

Canvas RenderInfoDisplay(const ImageEntry& entry) {
    const double w = entry.frameWidth, h = entry.frameHeight;
    // The top rows stay clear: the switch row above ends inside them.
    constexpr double kClearRows = 10.0;
    Canvas c(entry.frameWidth, entry.frameHeight);
    c.Fill(RoundRect(0.5, kClearRows, w - 0.5, h, 6.0), theme::kHairline);
    c.Fill(RoundRect(1.5, kClearRows + 1, w - 1.5, h - 1, 5.0), VerticalGradient(kClearRows, theme::kPanelRaised, h, theme::kPanel));
    // Wells behind the host text (x 50-345, up to the reset button) and the level text (x 405-525).
    Well(c, 44.0, 20.0, 347.0, 45.0, 3.5);
    Well(c, 401.0, 20.0, 530.0, 45.0, 3.5);
    return c;
}

Canvas RenderZoomDisplay(const ImageEntry& entry) {
    const double w = entry.frameWidth, h = entry.frameHeight;
    // Clear on the left, where the minus button overlaps it.
    constexpr double kClearColumns = 6.0;
    Canvas c(entry.frameWidth, entry.frameHeight);
    Well(c, kClearColumns, 0.0, w, h, 4.0);
    return c;
}

}  // namespace artgen
