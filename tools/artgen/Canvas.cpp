#include "tools/artgen/Canvas.h"

#include <algorithm>
#include <cmath>

namespace artgen {

namespace {
// Subsamples per pixel side: 16 samples, each with a one-subsample soft edge.
constexpr int kSamples = 4;

// Half a pixel's diagonal plus the soft edge of one subsample.
constexpr double kWhollyOutside = 0.7072 + 0.5 / kSamples;

double Clamp01(double v) { return std::clamp(v, 0.0, 1.0); }
}  // namespace

Colour Hex(std::uint32_t rgb, double alpha) {
    return {((rgb >> 16) & 0xFF) / 255.0, ((rgb >> 8) & 0xFF) / 255.0, (rgb & 0xFF) / 255.0, alpha};
}

Colour Mix(Colour from, Colour to, double t) {
    t = Clamp01(t);
    return {from.r + (to.r - from.r) * t, from.g + (to.g - from.g) * t, from.b + (to.b - from.b) * t,
            from.a + (to.a - from.a) * t};
}

Colour WithAlpha(Colour c, double alpha) {
    c.a = alpha;
    return c;
}

Canvas::Canvas(int width, int height)
    : width_(width), height_(height), premultiplied_(static_cast<std::size_t>(width) * height * 4, 0.0) {}

void Canvas::Fill(const Distance& shape, const Paint& paint) {
    Fill(shape, paint, Box{0.0, 0.0, double(width_), double(height_)});
}

void Canvas::Fill(const Distance& shape, Colour colour, Box bounds) {
    Fill(shape, [colour](double, double) { return colour; }, bounds);
}

void Canvas::Fill(const Distance& shape, Colour colour) {
    Fill(shape, [colour](double, double) { return colour; });
}

void Canvas::Fill(const Distance& shape, const Paint& paint, Box bounds) {
    const int x0 = std::max(0, int(std::floor(bounds.left)) - 1);
    const int y0 = std::max(0, int(std::floor(bounds.top)) - 1);
    const int x1 = std::min(width_, int(std::ceil(bounds.right)) + 1);
    const int y1 = std::min(height_, int(std::ceil(bounds.bottom)) + 1);
    constexpr double step = 1.0 / kSamples;
    for (int y = y0; y < y1; ++y) {
        for (int x = x0; x < x1; ++x) {
            // Every shape's distance changes by at most one per pixel, so a pixel whose centre
            // lies far enough out or in is wholly outside or inside.
            const double centre = shape(x + 0.5, y + 0.5);
            if (centre > kWhollyOutside) continue;
            if (centre < -kWhollyOutside) {
                BlendPixel(x, y, paint(x + 0.5, y + 0.5), 1.0);
                continue;
            }
            double coverage = 0.0;
            for (int sy = 0; sy < kSamples; ++sy) {
                for (int sx = 0; sx < kSamples; ++sx) {
                    const double d = shape(x + (sx + 0.5) * step, y + (sy + 0.5) * step);
                    coverage += Clamp01(0.5 - d * kSamples);
                }
            }
            coverage /= kSamples * kSamples;
            if (coverage > 0.0) BlendPixel(x, y, paint(x + 0.5, y + 0.5), coverage);
        }
    }
}

void Canvas::BlendPixel(int x, int y, Colour colour, double coverage) {
    if (x < 0 || y < 0 || x >= width_ || y >= height_) return;
    const double a = Clamp01(colour.a) * Clamp01(coverage);
    double* p = &premultiplied_[(static_cast<std::size_t>(y) * width_ + x) * 4];
    p[0] = colour.r * a + p[0] * (1.0 - a);
    p[1] = colour.g * a + p[1] * (1.0 - a);
    p[2] = colour.b * a + p[2] * (1.0 - a);
    p[3] = a + p[3] * (1.0 - a);
}

void Canvas::Draw(const Canvas& source, int x, int y) {
    for (int sy = 0; sy < source.height_; ++sy) {
        for (int sx = 0; sx < source.width_; ++sx) {
            const int dx = x + sx, dy = y + sy;
            if (dx < 0 || dy < 0 || dx >= width_ || dy >= height_) continue;
            const double* s = &source.premultiplied_[(static_cast<std::size_t>(sy) * source.width_ + sx) * 4];
            double* d = &premultiplied_[(static_cast<std::size_t>(dy) * width_ + dx) * 4];
            for (int c = 0; c < 4; ++c) d[c] = s[c] + d[c] * (1.0 - s[3]);
        }
    }
}

Canvas Canvas::Crop(int x, int y, int width, int height) const {
    Canvas out(width, height);
    for (int row = 0; row < height; ++row) {
        for (int column = 0; column < width; ++column) {
            const int sx = x + column, sy = y + row;
            if (sx < 0 || sy < 0 || sx >= width_ || sy >= height_) continue;
            for (int k = 0; k < 4; ++k)
                out.premultiplied_[(static_cast<std::size_t>(row) * width + column) * 4 + k] =
                    premultiplied_[(static_cast<std::size_t>(sy) * width_ + sx) * 4 + k];
        }
    }
    return out;
}

std::vector<std::uint8_t> Canvas::ToRgba8() const {
    std::vector<std::uint8_t> out(premultiplied_.size());
    for (std::size_t i = 0; i < premultiplied_.size(); i += 4) {
        const double a = Clamp01(premultiplied_[i + 3]);
        const auto byte = [](double v) { return static_cast<std::uint8_t>(std::lround(Clamp01(v) * 255.0)); };
        const std::uint8_t alpha = byte(a);
        if (alpha == 0) continue;  // fully transparent pixels stay 0, 0, 0, 0
        for (int c = 0; c < 3; ++c) out[i + c] = byte(premultiplied_[i + c] / a);
        out[i + 3] = alpha;
    }
    return out;
}

}  // namespace artgen
