#pragma once
// Text labels rendered with FreeType from a font file of the system's font package.
#include <memory>
#include <string>

#include "tools/artgen/Canvas.h"

namespace artgen {

enum class Align { Left, Centre, Right };

class Font {
public:
    // Throws std::runtime_error when the file cannot be opened as a font.
    explicit Font(const std::string& file);
    ~Font();
    Font(const Font&) = delete;
    Font& operator=(const Font&) = delete;

    // Width in pixels of UTF-8 text at a pixel size, with extra spacing between letters.
    double Measure(const std::string& text, double pixels, double tracking = 0.0) const;

    // Draws text with its baseline at y, aligned on x.
    void Draw(Canvas& canvas, const std::string& text, double pixels, double x, double baseline, Colour colour,
              Align align = Align::Centre, double tracking = 0.0) const;

    // Draws text vertically centred on the capital letters' middle at cy.
    void DrawCentred(Canvas& canvas, const std::string& text, double pixels, double cx, double cy, Colour colour,
                     double tracking = 0.0) const;

    // The largest size up to `pixels` (in half-pixel steps) at which text fits a width.
    double FitSize(const std::string& text, double pixels, double width, double tracking = 0.0) const;

private:
    struct Face;
    std::unique_ptr<Face> face_;
};

}  // namespace artgen
