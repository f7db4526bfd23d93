#include "tools/artgen/ControlArt.h"

#include <algorithm>
#include <functional>

#include "tools/artgen/Shapes.h"

namespace artgen {

namespace {
using FramePainter = std::function<void(Canvas& frame, int index)>;

Canvas Strip(const ImageEntry& entry, const FramePainter& paint) {
    Canvas strip(entry.frameWidth, entry.ImageHeight());
    for (int i = 0; i < entry.frames; ++i) {
        Canvas frame(entry.frameWidth, entry.frameHeight);
        paint(frame, i);
        strip.Draw(frame, 0, i * entry.frameHeight);
    }
    return strip;
}

double Radius(double height) { return std::min(4.0, height / 4.0); }

// A raised key face, or a sunken one while pressed or lit.
void Key(Canvas& c, double left, double top, double right, double bottom, bool pressed) {
    const double r = Radius(bottom - top);
    c.Fill(Soften(RoundRect(left, top + 1, right, bottom, r), 1.2), Hex(0x000000, 0.6));
    c.Fill(RoundRect(left, top, right, bottom - 1, r), VerticalGradient(top, pressed ? Hex(0x14171B) : theme::kBevelLight,
                                                                        bottom, pressed ? Hex(0x2A2F36) : Hex(0x1A1D22)));
    c.Fill(RoundRect(left + 1, top + 1, right - 1, bottom - 2, r - 0.8),
           pressed ? VerticalGradient(top, theme::kPressedTop, bottom, theme::kPressedBottom)
                   : VerticalGradient(top, theme::kControlTop, bottom, theme::kControlBottom));
}

void Led(Canvas& c, double x, double y, double radius, Colour colour, bool lit) {
    if (lit) c.Fill(Soften(Circle(x, y, radius + 1.0), 2.5), WithAlpha(colour, 0.45));
    c.Fill(Circle(x, y, radius), lit ? colour : theme::kUnlit);
    if (lit) c.Fill(Circle(x - radius * 0.3, y - radius * 0.3, radius * 0.35), Hex(0xFFFFFF, 0.55));
}

double LabelSize(double height) { return height >= 24 ? 10.5 : 9.0; }
}  // namespace

Canvas RenderSwitch(const ImageEntry& entry, const Fonts& fonts) {
    const auto labels = entry.List("labels");
    const Colour accent = Accent(entry.Parameter("accent"));
    const double w = entry.frameWidth, h = entry.frameHeight;
    const bool twoState = entry.frames == 2 && entry.Parameter("style") != "marks";
    return Strip(entry, [&](Canvas& c, int i) {
        const std::string& label = labels.empty() ? std::string() : labels[std::min<std::size_t>(i, labels.size() - 1)];
        const bool lit = twoState && i == 1;
        Key(c, 0.5, 0.5, w - 0.5, h - 0.5, lit);
        if (twoState) {
            const double ledX = 7.5, textLeft = 13.0;
            Led(c, ledX, (h - 1) / 2, 2.2, accent, lit);
            const double size = fonts.label.FitSize(label, LabelSize(h), w - textLeft - 3, 0.3);
            fonts.label.DrawCentred(c, label, size, (textLeft + w - 3) / 2, (h - 1) / 2, lit ? theme::kTextBright : theme::kTextDim, 0.3);
            return;
        }
        // Position marks along the bottom edge, the current one in the accent.
        const double spacing = 4.5, markY = h - 4.5;
        const double first = w / 2 - spacing * (entry.frames - 1) / 2;
        for (int m = 0; m < entry.frames; ++m)
            c.Fill(Circle(first + m * spacing, markY, m == i ? 1.3 : 1.0), m == i ? accent : theme::kUnlit);
        const double size = fonts.label.FitSize(label, LabelSize(h) - 0.5, w - 6, 0.3);
        fonts.label.DrawCentred(c, label, size, w / 2, (h - 5) / 2, theme::kTextBright, 0.3);
    });
}

Canvas RenderButton(const ImageEntry& entry, const Fonts& fonts) {
    const std::string label = entry.Parameter("label");
    const Colour accent = Accent(entry.Parameter("accent"));
    const double w = entry.frameWidth, h = entry.frameHeight;
    return Strip(entry, [&](Canvas& c, int i) {
        const bool pressed = i == 1;
        Key(c, 0.5, 0.5, w - 0.5, h - 0.5, pressed);
        const bool symbol = label == "+" || (!label.empty() && static_cast<unsigned char>(label[0]) >= 0x80);
        const double size = symbol ? h * 0.7 : fonts.label.FitSize(label, LabelSize(h), w - 6, 0.4);
        const Font& font = symbol ? fonts.heading : fonts.label;
        font.DrawCentred(c, label, size, w / 2, (h - 1) / 2 + (pressed ? 0.5 : 0.0), pressed ? accent : theme::kTextBright, 0.4);
    });
}

Canvas RenderArrowButton(const ImageEntry& entry) {
    const bool left = entry.Parameter("direction") == "left";
    const double w = entry.frameWidth, h = entry.frameHeight;
    return Strip(entry, [&](Canvas& c, int i) {
        const bool pressed = i == 1;
        Key(c, 0.5, 0.5, w - 0.5, h - 0.5, pressed);
        const double cx = w / 2 + (left ? -0.5 : 0.5), cy = (h - 1) / 2 + (pressed ? 0.5 : 0.0), s = h * 0.17;
        const double tip = left ? cx - s : cx + s, back = left ? cx + s * 0.8 : cx - s * 0.8;
        const Colour colour = pressed ? theme::kBrand : theme::kTextBright;
        c.Fill(Capsule(back, cy - s * 1.4, tip, cy, 1.8), colour);
        c.Fill(Capsule(back, cy + s * 1.4, tip, cy, 1.8), colour);
    });
}

Canvas RenderPowerSwitch(const ImageEntry& entry) {
    const double w = entry.frameWidth, h = entry.frameHeight;
    return Strip(entry, [&](Canvas& c, int i) {
        const bool on = i == 1;
        const double cx = w / 2, cy = h / 2, r = w / 2 - 1.0;
        c.Fill(Soften(Circle(cx, cy + 0.8, r), 1.2), Hex(0x000000, 0.6));
        c.Fill(Circle(cx, cy, r), VerticalGradient(cy - r, theme::kBevelLight, cy + r, Hex(0x15181C)));
        c.Fill(Circle(cx, cy, r - 1.0), on ? VerticalGradient(cy - r, theme::kPressedTop, cy + r, theme::kPressedBottom)
                                           : VerticalGradient(cy - r, theme::kControlTop, cy + r, theme::kControlBottom));
        const Colour glyph = on ? theme::kPowerOn : Hex(0x707884);
        if (on) c.Fill(Soften(Circle(cx, cy, r * 0.55), 3.0), WithAlpha(theme::kPowerOn, 0.35));
        c.Fill(Arc(cx, cy, r * 0.45, 1.6, 38.0, 322.0), glyph);
        c.Fill(Capsule(cx, cy - r * 0.62, cx, cy - r * 0.12, 1.6), glyph);
    });
}

Canvas RenderLedSwitch(const ImageEntry& entry) {
    const Colour accent = Accent(entry.Parameter("accent"));
    const double w = entry.frameWidth, h = entry.frameHeight;
    return Strip(entry, [&](Canvas& c, int i) {
        const bool on = i == 1;
        Key(c, 0.5, 0.5, w - 0.5, h - 0.5, on);
        Led(c, w / 2, (h - 1) / 2, 3.2, accent, on);
    });
}

Canvas RenderBypassSwitch(const ImageEntry& entry, const Fonts& fonts) {
    const std::string label = entry.Parameter("label");
    const double w = entry.frameWidth, h = entry.frameHeight;
    return Strip(entry, [&](Canvas& c, int i) {
        const bool on = i == 1;
        Key(c, 0.5, 0.5, w - 0.5, h - 0.5, on);
        Led(c, 12.0, (h - 1) / 2, 3.0, theme::kBypassOn, on);
        fonts.label.DrawCentred(c, label, 11.0, (22.0 + w - 4) / 2, (h - 1) / 2, on ? theme::kBypassOn : theme::kTextDim, 1.0);
    });
}

Canvas RenderTab(const ImageEntry& entry, const Fonts& fonts) {
    const std::string label = entry.Parameter("label");
    const double w = entry.frameWidth, h = entry.frameHeight;
    return Strip(entry, [&](Canvas& c, int i) {
        const bool active = i == 1;
        c.Fill(RoundRect(0.5, 0.5, w - 0.5, h - 0.5, 5.0), active ? theme::kControlTop : Hex(0x1A1D22));
        c.Fill(RoundRect(1.5, 1.5, w - 1.5, h - 1.5, 4.0),
               active ? VerticalGradient(0, Hex(0x2C3139), h, Hex(0x22262C)) : Solid(Hex(0x121418)));
        if (active) c.Fill(Capsule(10.0, h - 4.0, w - 10.0, h - 4.0, 2.0), theme::kBrand);
        fonts.label.DrawCentred(c, label, 10.0, w / 2, active ? h / 2 - 2.0 : h / 2 - 1.0,
                                active ? theme::kTextBright : theme::kTextDim, 1.0);
    });
}

Canvas RenderEqTab(const ImageEntry& entry, const Fonts& fonts) {
    const std::string label = entry.Parameter("label");
    const Colour accent = Accent("eq");
    const double w = entry.frameWidth, h = entry.frameHeight;
    return Strip(entry, [&](Canvas& c, int i) {
        const bool active = i == 1;
        c.Fill(RoundRect(0.5, 0.5, w - 0.5, h + 6.0, 5.0), active ? theme::kHairline : Hex(0x1A1D22));
        c.Fill(RoundRect(1.5, 1.5, w - 1.5, h + 6.0, 4.0),
               active ? VerticalGradient(0, Hex(0x262A31), h, theme::kPanel) : Solid(Hex(0x121418)));
        if (active) c.Fill(Capsule(30.0, 1.8, w - 8.0, 1.8, 1.6), accent);
        const double left = 30.0;
        fonts.label.Draw(c, label, 10.5, left, h / 2 + 4.0, active ? theme::kTextBright : theme::kTextDim, Align::Left, 0.8);
    });
}

Canvas RenderSliderTrack(const ImageEntry& entry) {
    const double w = entry.frameWidth, h = entry.frameHeight;
    Canvas c(entry.frameWidth, entry.frameHeight);
    c.Fill(RoundRect(0.5, h / 2 - 2.5, w - 0.5, h / 2 + 2.5, 2.5), Hex(0x0A0C0F));
    c.Fill(RoundRect(1.0, h / 2 - 2.0, w - 1.0, h / 2 + 2.5, 2.0), VerticalGradient(h / 2 - 2, Hex(0x07080A), h / 2 + 2, Hex(0x1E2227)));
    c.Fill(Capsule(w / 2, 0.8, w / 2, 2.2, 1.0), theme::kTextFaint);
    c.Fill(Capsule(w / 2, h - 2.2, w / 2, h - 0.8, 1.0), theme::kTextFaint);
    return c;
}

Canvas RenderSliderHandle(const ImageEntry& entry) {
    const Colour accent = Accent(entry.Parameter("accent"));
    const double w = entry.frameWidth, h = entry.frameHeight;
    Canvas c(entry.frameWidth, entry.frameHeight);
    c.Fill(Soften(RoundRect(0.5, 1.0, w - 0.5, h, 3.0), 1.2), Hex(0x000000, 0.7));
    c.Fill(RoundRect(0.5, 0.5, w - 0.5, h - 1.0, 3.0), VerticalGradient(0, Hex(0x8A929E), h, Hex(0x3A4049)));
    c.Fill(RoundRect(1.5, 1.5, w - 1.5, h - 2.0, 2.2), VerticalGradient(0, Hex(0x5A626E), h, Hex(0x353A42)));
    c.Fill(Capsule(w / 2, 3.5, w / 2, h - 4.5, 1.6), accent);
    return c;
}

}  // namespace artgen
