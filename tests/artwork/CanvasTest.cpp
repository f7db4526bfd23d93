#include <gtest/gtest.h>

#include "tools/artgen/Canvas.h"
#include "tools/artgen/Shapes.h"

namespace {

using artgen::Canvas;

// Images are stored straight (not premultiplied): an anti-aliased edge pixel keeps the colour
// of the object and only its alpha falls, and untouched pixels are all zero.
TEST(ArtworkCanvas, EdgePixelsKeepTheObjectsColour) {
    Canvas canvas(16, 16);
    canvas.Fill(artgen::Circle(8.0, 8.0, 5.3), artgen::Hex(0x33C8E8));
    const auto rgba = canvas.ToRgba8();
    int partial = 0;
    for (std::size_t i = 0; i < rgba.size(); i += 4) {
        if (rgba[i + 3] == 0) {
            EXPECT_EQ(rgba[i] | rgba[i + 1] | rgba[i + 2], 0) << "pixel " << i / 4;
            continue;
        }
        partial += rgba[i + 3] < 255;
        EXPECT_EQ(rgba[i], 0x33);
        EXPECT_EQ(rgba[i + 1], 0xC8);
        EXPECT_EQ(rgba[i + 2], 0xE8);
    }
    EXPECT_GT(partial, 0) << "the edge is anti-aliased";
}

TEST(ArtworkCanvas, CoverageFollowsTheAreaInsideTheShape) {
    struct Case {
        double left, right;  // a rectangle spanning the pixel rows, cut inside column 0
        int alpha;
    };
    const Case cases[] = {{-1.0, 0.5, 128}, {-1.0, 0.25, 64}, {-1.0, 1.0, 255}, {0.0, 0.0, 0}};
    for (const Case& c : cases) {
        Canvas canvas(2, 1);
        canvas.Fill(artgen::RoundRect(c.left, -2.0, c.right, 3.0, 0.0), artgen::Hex(0xFFFFFF));
        EXPECT_NEAR(canvas.ToRgba8()[3], c.alpha, 1) << c.right;
    }
}

}  // namespace
