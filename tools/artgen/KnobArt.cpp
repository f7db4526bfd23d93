#include "tools/artgen/KnobArt.h"

#include <cmath>

#include "tools/artgen/Shapes.h"
#include "tools/artgen/Theme.h"

namespace artgen {

namespace {
struct KnobGeometry {
    double centre, trackRadius, trackWidth, bodyRadius, pointerWidth;

    explicit KnobGeometry(int size)
        : centre(size / 2.0),
          trackWidth(size >= 45 ? 3.2 : 2.6),
          bodyRadius(size / 2.0 - (size >= 45 ? 7.5 : 6.0)),
          pointerWidth(size >= 45 ? 2.4 : 2.0) {
        trackRadius = size / 2.0 - trackWidth / 2 - 1.0;
    }
};

// The parts every frame shares: shadow, track and body.
Canvas RenderBody(int size, const KnobGeometry& g, bool stepped) {
    Canvas body(size, size);
    const double c = g.centre, r = g.bodyRadius;
    body.Fill(Soften(Circle(c, c + 1.2, r + 0.5), 2.0), Hex(0x000000, 0.55));
    if (!stepped) body.Fill(Arc(c, c, g.trackRadius, g.trackWidth, kKnobStartDegrees, kKnobEndDegrees), Hex(0x2A2F37));
    body.Fill(Circle(c, c, r), VerticalGradient(c - r, Hex(0x59616D), c + r, Hex(0x171A1E)));
    body.Fill(Circle(c, c, r - 1.2), VerticalGradient(c - r, Hex(0x3A4049), c + r, Hex(0x22262C)));
    body.Fill(Circle(c, c, r - 3.0), VerticalGradient(c - r, Hex(0x262A31), c + r, Hex(0x30353D)));
    return body;
}
}  // namespace

double KnobAngle(int index, int frames) {
    const double value = frames > 1 ? double(index) / (frames - 1) : 0.0;
    return kKnobStartDegrees + value * (kKnobEndDegrees - kKnobStartDegrees);
}

Canvas RenderKnob(const ImageEntry& entry) {
    const int size = entry.frameWidth;
    const KnobGeometry g(size);
    const std::string arc = entry.Parameter("arc", "unipolar");
    const bool stepped = arc == "stepped";
    const Colour accent = Accent(entry.Parameter("accent"));
    const Canvas body = RenderBody(size, g, stepped);
    const double c = g.centre;

    Canvas strip(size, entry.ImageHeight());
    for (int i = 0; i < entry.frames; ++i) {
        Canvas frame = body;
        const double angle = KnobAngle(i, entry.frames);
        if (stepped) {
            for (int step = 0; step < entry.frames; ++step) {
                double x, y;
                PointAt(c, c, g.trackRadius, KnobAngle(step, entry.frames), x, y);
                const bool lit = step == i;
                frame.Fill(Circle(x, y, lit ? g.trackWidth * 0.65 : g.trackWidth * 0.45), lit ? accent : Hex(0x4A515C));
            }
        } else {
            const double from = arc == "bipolar" ? std::min(0.0, angle) : kKnobStartDegrees;
            const double to = arc == "bipolar" ? std::max(0.0, angle) : angle;
            if (to - from > 0.5) frame.Fill(Arc(c, c, g.trackRadius, g.trackWidth, from, to), accent);
            if (arc == "bipolar") {
                double x, y;
                PointAt(c, c, g.trackRadius + g.trackWidth * 0.5 + 0.4, 0.0, x, y);
                frame.Fill(Circle(x, y + 0.3, 0.8), Hex(0x8C95A3));
            }
        }
        double x0, y0, x1, y1;
        PointAt(c, c, g.bodyRadius * 0.28, angle, x0, y0);
        PointAt(c, c, g.bodyRadius - 2.2, angle, x1, y1);
        frame.Fill(Capsule(x0, y0, x1, y1, g.pointerWidth), theme::kTextBright);
        strip.Draw(frame, 0, i * size);
    }
    return strip;
}

}  // namespace artgen
