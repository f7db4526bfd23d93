#include "tests/graphics_support/HeadlessGraphics.h"
#include "tests/graphics_support/RecordingPlug.h"

#include "graphics/BlockGlyphSource.h"
#include "graphics/ITextControl.h"
#include "graphics/PIX_CachedFont.h"
#include "graphics/PIX_MemBitmap.h"
#include "graphics/Utf8Decoder.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace
{
constexpr uint32_t kPaper = 0xFFFFFFFFu;
constexpr uint32_t kInk = 0xFF112233u;
constexpr int kLineHeight = 10;
// Block glyphs: 'A' has 4 ink columns and advances 5, 'B' 2 and 3, a space advances 3.
constexpr int kWidthAB = 8;

std::vector<uint32_t> Codes(const std::string& text)
{
    std::vector<uint32_t> codes;
    const auto length = static_cast<int32_t>(text.size());
    for (int32_t position = 0; position < length;)
        codes.push_back(NextUtf8Code(text.data(), length, position));
    return codes;
}

TEST(TextDrawing, Utf8IsDecodedIntoCodePointsAndStrayBytesStandForThemselves)
{
    struct Case
    {
        const char* name;
        std::string text;
        std::vector<uint32_t> codes;
    };
    const Case cases[] = {
        {"ascii", "Ab", {0x41, 0x62}},
        {"two bytes", "\xC3\xA9", {0xE9}},
        {"three bytes", "\xE2\x82\xAC", {0x20AC}},
        {"four bytes become a space", "\xF0\x9F\x8E\xB8!", {0x20, 0x21}},
        {"truncated sequence", "\xC3", {0xC3}},
        {"truncated three bytes", "\xE2\x82", {0xE2, 0x82}},
        {"overlong two bytes", "\xC0\x80", {0xC0, 0x80}},
        {"overlong three bytes", "\xE0\x80\x80", {0xE0, 0x80, 0x80}},
        {"surrogate", "\xED\xA0\x80", {0xED, 0xA0, 0x80}},
        {"lone continuation", "\x80z", {0x80, 0x7A}},
        {"beyond the code space", "\xF4\x90\x80\x80", {0xF4, 0x90, 0x80, 0x80}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(Codes(c.text), c.codes) << c.name;
}

// A font on block glyphs drawing into a small white bitmap.
class TextDrawingTest : public testing::Test
{
protected:
    void SetUp() override
    {
        bitmap.SetSize(120, 40);
        Fill(kPaper);
        font.SetFont(new BlockGlyphSource(kLineHeight), PIX_IFont::kFontOwned);
        font.SetTextColour(kInk);
    }

    void Fill(uint32_t colour)
    {
        for (int y = 0; y < bitmap.GetHeight(); ++y)
            for (int x = 0; x < bitmap.GetWidth(); ++x)
                Pixel(x, y) = colour;
    }

    uint32_t& Pixel(int x, int y) { return bitmap.GetPixelData()[y * bitmap.GetRowStride() + x]; }

    // Columns of row y as a text: '#' ink, '.' paper, '?' anything else.
    std::string Row(int y, int from, int to)
    {
        std::string row;
        for (int x = from; x < to; ++x)
            row += Pixel(x, y) == kInk ? '#' : Pixel(x, y) == kPaper ? '.' : '?';
        return row;
    }

    // Ink occupies rows 1 .. line height - 2 of a line.
    int InkedRows(int column)
    {
        int rows = 0;
        for (int y = 0; y < bitmap.GetHeight(); ++y)
            rows += Pixel(column, y) == kInk ? 1 : 0;
        return rows;
    }

    PIX_MemBitmap bitmap;
    PIX_CachedFont font;
};

TEST_F(TextDrawingTest, GlyphsAreDrawnAtThePenAndAdvance)
{
    Rect rect{10, 5, 100, 30};
    font.DrawText(&bitmap, "AB A", -1, &rect, 0);
    EXPECT_EQ(Row(6, 8, 32), "..####.##....####.......");
    EXPECT_EQ(Row(5, 8, 32), std::string(24, '.'));
    EXPECT_EQ(Row(13, 8, 32), "..####.##....####.......");
    EXPECT_EQ(Row(14, 8, 32), std::string(24, '.'));
}

TEST_F(TextDrawingTest, LineBreaksAndCarriageReturns)
{
    struct Case
    {
        const char* name;
        const char* text;
        uint32_t flags;
        std::string firstLine;
        std::string secondLine;
    };
    const Case cases[] = {
        {"LF starts a line", "A\nB", 0, "####......", "##........"},
        {"CR is skipped", "A\r\nB", 0, "####......", "##........"},
        {"CR alone draws nothing", "A\rB", 0, "####.##...", ".........."},
        {"single line: LF is a space", "A\nB", PIX_IFont::kFormatSingleLine, "####....##", ".........."},
    };
    for (const Case& c : cases)
    {
        Fill(kPaper);
        Rect rect{0, 0, 100, 40};
        font.DrawText(&bitmap, c.text, -1, &rect, c.flags);
        EXPECT_EQ(Row(1, 0, 10), c.firstLine) << c.name;
        EXPECT_EQ(Row(kLineHeight + 1, 0, 10), c.secondLine) << c.name;
    }
}

TEST_F(TextDrawingTest, AlignmentPlacesTheMeasuredTextInTheRect)
{
    struct Case
    {
        const char* name;
        uint32_t flags;
        int left;
        int top;
    };
    const Case cases[] = {
        {"left, top", 0, 0, 0},
        {"centre", PIX_IFont::kFormatCentre, (100 - kWidthAB) / 2, 0},
        {"right", PIX_IFont::kFormatRight, 100 - kWidthAB, 0},
        {"vertical centre", PIX_IFont::kFormatVCentre, 0, (30 - kLineHeight) / 2},
        {"bottom right", PIX_IFont::kFormatBottom | PIX_IFont::kFormatRight, 100 - kWidthAB, 30 - kLineHeight},
    };
    for (const Case& c : cases)
    {
        Fill(kPaper);
        Rect rect{0, 0, 100, 30};
        font.DrawText(&bitmap, "AB", -1, &rect, c.flags);
        EXPECT_EQ(Row(c.top + 1, c.left, c.left + kWidthAB), "####.##.") << c.name;
        EXPECT_EQ(InkedRows(c.left), kLineHeight - 2) << c.name;
    }
}

TEST_F(TextDrawingTest, TextIsClippedToItsRectUnlessNoClipIsAsked)
{
    Rect rect{0, 0, 3, 30};
    font.DrawText(&bitmap, "AB", -1, &rect, 0);
    EXPECT_EQ(Row(1, 0, 8), "###.....");
    Fill(kPaper);
    font.DrawText(&bitmap, "AB", -1, &rect, PIX_IFont::kFormatNoClip);
    EXPECT_EQ(Row(1, 0, 8), "####.##.");
    Fill(kPaper);
    Rect outside{200, 0, 300, 30};
    font.DrawText(&bitmap, "AB", -1, &outside, 0);
    EXPECT_EQ(Row(1, 0, 8), "........");
    Rect past{115, 0, 300, 30};
    font.DrawText(&bitmap, "AB", -1, &past, PIX_IFont::kFormatNoClip);
    EXPECT_EQ(Row(1, 112, 120), "...####.");
}

TEST_F(TextDrawingTest, MeasuringGivesTheWidestLineAndAllLines)
{
    Rect rect{5, 7, 5, 7};
    font.DrawText(nullptr, "AB\nA", -1, &rect, PIX_IFont::kFormatCalcRect);
    EXPECT_EQ(rect, (Rect{5, 7, 5 + kWidthAB, 7 + 2 * kLineHeight}));
    EXPECT_EQ(font.DrawText(nullptr, "AB", -1, &rect, 0), 0);  // no bitmap, not measuring
}

TEST(TextFonts, FontsThatCannotDrawGlyphsDrawNothing)
{
    PIX_MemBitmap bitmap;
    bitmap.SetSize(300, 40);
    const uint32_t before = bitmap.GetPixelData()[0] = kPaper;
    for (int y = 0; y < 40; ++y)
        for (int x = 0; x < 300; ++x)
            bitmap.GetPixelData()[y * bitmap.GetRowStride() + x] = kPaper;

    PIX_CachedFont huge;
    huge.SetFont(new BlockGlyphSource(PIX_CachedFont::kMaxGlyphLineHeight), PIX_IFont::kFontOwned);
    huge.SetTextColour(kInk);
    Rect rect{0, 0, 300, 40};
    huge.DrawText(&bitmap, "AB", -1, &rect, 0);

    PIX_CachedFont ascii;
    ascii.SetFont(new BlockGlyphSource(kLineHeight), PIX_IFont::kFontOwned | PIX_IFont::kFontPrerenderAscii);
    ascii.SetTextColour(kInk);
    ascii.DrawText(&bitmap, "\xC3\xA9" "B", -1, &rect, 0);
    int inked = 0;
    for (int y = 0; y < 40; ++y)
        for (int x = 0; x < 300; ++x)
            inked += bitmap.GetPixelData()[y * bitmap.GetRowStride() + x] == kInk ? 1 : 0;
    // Only 'B' (2 x 8 pixels), drawn where the skipped character would have been.
    EXPECT_EQ(inked, 2 * (kLineHeight - 2));
    EXPECT_EQ(bitmap.GetPixelData()[1 * bitmap.GetRowStride() + 0], kInk);
    EXPECT_EQ(before, kPaper);
}

// An editor whose text comes from block glyphs on every platform.
class BlockTextGraphics : public HeadlessGraphics
{
public:
    using HeadlessGraphics::HeadlessGraphics;
    PIX_IGlyphSource* CreateGlyphSource(const TextStyle& style) override { return new BlockGlyphSource(style.size); }
};

TextStyle BlockStyle(int alignment)
{
    TextStyle style;
    style.SetFace("ZvBlockGlyphs");
    style.size = kLineHeight;
    style.alignment = alignment;
    style.colour = {255, 0x11, 0x22, 0x33};
    return style;
}

TEST(TextMeasuring, MeasuredRectsFollowTheAlignment)
{
    struct Case
    {
        int alignment;
        Rect measured;
    };
    const Case cases[] = {
        {TextStyle::kAlignLeft, {10, 10, 10 + kWidthAB, 10 + kLineHeight}},
        {TextStyle::kAlignCentre, {55 - kWidthAB / 2, 10, 55 + kWidthAB / 2, 10 + kLineHeight}},
        {TextStyle::kAlignRight, {100 - kWidthAB, 10, 100, 10 + kLineHeight}},
    };
    RecordingPlug plug;
    auto* graphics = plug.Attach(new BlockTextGraphics(&plug));
    for (const Case& c : cases)
    {
        TextStyle style = BlockStyle(c.alignment);
        Rect rect{10, 10, 100, 30};
        EXPECT_TRUE(graphics->MeasureText(&style, "AB", &rect));
        EXPECT_EQ(rect, c.measured) << c.alignment;
    }
}

TEST(TextMeasuring, ATextControlDrawsCentredInItsStyleAndHalfTransparentColoursBlend)
{
    RecordingPlug plug;
    auto* graphics = plug.Attach(new BlockTextGraphics(&plug));
    const TextStyle opaque = BlockStyle(TextStyle::kAlignCentre);
    TextStyle faint = opaque;
    faint.colour.a = 128;
    auto* solid = new ITextControl(&plug, {0, 0, 100, 20}, &opaque, "AB");
    auto* blended = new ITextControl(&plug, {0, 20, 100, 40}, &faint, "AB");
    ArgbColour white{255, 255, 255, 255};
    const Rect all{0, 0, 650, 830};
    graphics->AddControl(solid);
    graphics->AddControl(blended);
    graphics->Tick();
    graphics->FillRect(&white, &all, nullptr);
    graphics->DrawDirty(&all);

    const uint32_t* pixels = graphics->GetDrawBitmap()->GetPixelData();
    const int stride = graphics->GetDrawBitmap()->GetRowStride();
    const int left = (100 - kWidthAB) / 2;
    EXPECT_EQ(pixels[1 * stride + left], kInk);
    EXPECT_EQ(pixels[1 * stride + left - 1], 0xFFFFFFFFu);
    const uint32_t mixed = pixels[21 * stride + left];
    EXPECT_NE(mixed, kInk);
    EXPECT_NE(mixed, 0xFFFFFFFFu);
    EXPECT_NEAR(static_cast<int>(mixed >> 16 & 0xFF), (0x11 + 0xFF) / 2, 2);

    solid->SetTextFromPlug("B");
    EXPECT_TRUE(solid->IsDirty());
}
}
