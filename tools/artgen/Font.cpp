#include "tools/artgen/Font.h"

#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_OUTLINE_H

#include <cmath>
#include <stdexcept>
#include <vector>

namespace artgen {

namespace {
// The capital height of the label fonts as a share of the pixel size.
constexpr double kCapHeight = 0.73;

std::vector<char32_t> DecodeUtf8(const std::string& text) {
    std::vector<char32_t> out;
    for (std::size_t i = 0; i < text.size();) {
        const auto byte = static_cast<unsigned char>(text[i]);
        int extra = byte >= 0xF0 ? 3 : byte >= 0xE0 ? 2 : byte >= 0xC0 ? 1 : 0;
        char32_t code = extra == 0 ? byte : byte & (0x3F >> extra);
        for (++i; extra > 0 && i < text.size(); --extra, ++i) code = (code << 6) | (text[i] & 0x3F);
        out.push_back(code);
    }
    return out;
}
}  // namespace

struct Font::Face {
    FT_Library library = nullptr;
    FT_Face face = nullptr;

    // Size as 26.6 fixed point, so half-pixel sizes render as asked.
    void SetSize(double pixels) const { FT_Set_Char_Size(face, 0, FT_F26Dot6(std::lround(pixels * 64.0)), 72, 72); }

    double Advance(char32_t previous, char32_t code) const {
        const FT_UInt glyph = FT_Get_Char_Index(face, code);
        double kerning = 0.0;
        if (previous != 0 && FT_HAS_KERNING(face)) {
            FT_Vector delta;
            FT_Get_Kerning(face, FT_Get_Char_Index(face, previous), glyph, FT_KERNING_DEFAULT, &delta);
            kerning = delta.x / 64.0;
        }
        if (FT_Load_Glyph(face, glyph, FT_LOAD_TARGET_LIGHT) != 0) return kerning;
        // The unrounded advance: glyphs are placed at fractional positions.
        return kerning + face->glyph->linearHoriAdvance / 65536.0;
    }
};

Font::Font(const std::string& file) : face_(std::make_unique<Face>()) {
    if (FT_Init_FreeType(&face_->library) != 0) throw std::runtime_error("FreeType did not start");
    if (FT_New_Face(face_->library, file.c_str(), 0, &face_->face) != 0) {
        FT_Done_FreeType(face_->library);
        throw std::runtime_error("cannot open font " + file);
    }
}

Font::~Font() {
    FT_Done_Face(face_->face);
    FT_Done_FreeType(face_->library);
}

double Font::Measure(const std::string& text, double pixels, double tracking) const {
    face_->SetSize(pixels);
    const auto codes = DecodeUtf8(text);
    double width = 0.0;
    char32_t previous = 0;
    for (char32_t code : codes) {
        width += face_->Advance(previous, code);
        previous = code;
    }
    if (codes.size() > 1) width += tracking * double(codes.size() - 1);
    return width;
}

void Font::Draw(Canvas& canvas, const std::string& text, double pixels, double x, double baseline, Colour colour,
                Align align, double tracking) const {
    const double width = Measure(text, pixels, tracking);
    double pen = align == Align::Left ? x : align == Align::Centre ? x - width / 2 : x - width;
    face_->SetSize(pixels);
    const int base = int(std::lround(baseline));
    char32_t previous = 0;
    for (char32_t code : DecodeUtf8(text)) {
        const double advance = face_->Advance(previous, code);  // loads the glyph's outline
        const FT_GlyphSlot slot = face_->face->glyph;
        const double kerning = advance - slot->linearHoriAdvance / 65536.0;
        pen += kerning;
        // Each glyph is rendered at its own sub-pixel offset, so spacing stays even at small sizes.
        const int whole = int(std::floor(pen));
        FT_Outline_Translate(&slot->outline, FT_Pos(std::lround((pen - whole) * 64.0)), 0);
        if (slot->format == FT_GLYPH_FORMAT_OUTLINE && FT_Render_Glyph(slot, FT_RENDER_MODE_LIGHT) == 0) {
            const FT_Bitmap& bitmap = slot->bitmap;
            const int left = whole + slot->bitmap_left;
            const int top = base - slot->bitmap_top;
            for (unsigned row = 0; row < bitmap.rows; ++row) {
                for (unsigned column = 0; column < bitmap.width; ++column) {
                    const unsigned char value = bitmap.buffer[row * bitmap.pitch + column];
                    if (value != 0) canvas.BlendPixel(left + int(column), top + int(row), colour, value / 255.0);
                }
            }
        }
        pen += advance - kerning + tracking;
        previous = code;
    }
}

void Font::DrawCentred(Canvas& canvas, const std::string& text, double pixels, double cx, double cy, Colour colour,
                       double tracking) const {
    Draw(canvas, text, pixels, cx, cy + pixels * kCapHeight / 2, colour, Align::Centre, tracking);
}

double Font::FitSize(const std::string& text, double pixels, double width, double tracking) const {
    while (pixels > 6.0 && Measure(text, pixels, tracking) > width) pixels -= 0.5;
    return pixels;
}

}  // namespace artgen
