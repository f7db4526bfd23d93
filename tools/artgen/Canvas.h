#pragma once
// An RGBA drawing surface with supersampled anti-aliasing. Shapes are signed distance
// functions (negative inside, in pixels); colours are composited premultiplied and written
// out straight, so partially covered edge pixels keep the colour of the object drawn there.
#include <cstdint>
#include <functional>
#include <vector>

namespace artgen {

struct Colour {
    double r = 0.0, g = 0.0, b = 0.0, a = 1.0;
};

// 0xRRGGBB with an opacity.
Colour Hex(std::uint32_t rgb, double alpha = 1.0);
Colour Mix(Colour from, Colour to, double t);
Colour WithAlpha(Colour c, double alpha);

using Distance = std::function<double(double x, double y)>;
using Paint = std::function<Colour(double x, double y)>;

struct Box {
    double left, top, right, bottom;
};

class Canvas {
public:
    Canvas(int width, int height);

    int Width() const { return width_; }
    int Height() const { return height_; }

    // Composites the paint over every pixel by the shape's supersampled coverage; only pixels
    // meeting the bounds are visited (the whole canvas without bounds).
    void Fill(const Distance& shape, const Paint& paint);
    void Fill(const Distance& shape, const Paint& paint, Box bounds);
    void Fill(const Distance& shape, Colour colour, Box bounds);
    void Fill(const Distance& shape, Colour colour);

    // Composites one colour over one pixel with a coverage of 0..1 (text masks).
    void BlendPixel(int x, int y, Colour colour, double coverage);

    // Composites another canvas over this one with its top-left corner at (x, y).
    void Draw(const Canvas& source, int x, int y);

    // A copy of the pixels of one rectangle.
    Canvas Crop(int x, int y, int width, int height) const;

    // Straight RGBA, 8 bits per channel, rows top-down.
    std::vector<std::uint8_t> ToRgba8() const;

private:
    int width_;
    int height_;
    std::vector<double> premultiplied_;  // r, g, b, a per pixel
};

}  // namespace artgen
