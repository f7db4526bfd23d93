#include "framework/ImageLoader.h"
#include "graphics/PIX_MemBitmap.h"
#include "graphics/PngDecoder.h"

#include <gtest/gtest.h>
#include <png.h>
#include <zlib.h>

#include <cstdio>
#include <cstring>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

namespace
{
struct PngFormat
{
    const char* what;
    int colourType;
    int bitDepth;
    // Samples of the four pixels of each row, channel by channel.
    std::vector<int> samples;
    std::vector<png_color> palette;
    std::vector<png_byte> paletteAlpha;
    bool greyOrColourKey = false;
    png_color_16 key{};
    std::vector<uint32_t> expected;
};

constexpr int kWidth = 4;
constexpr int kHeight = 2;

void Append(png_structp png, png_bytep data, png_size_t length)
{
    auto* out = static_cast<std::vector<uint8_t>*>(png_get_io_ptr(png));
    out->insert(out->end(), data, data + length);
}

void NoFlush(png_structp) {}

// Packs the samples of one row at the bit depth, most significant bits first.
std::vector<png_byte> PackRow(const std::vector<int>& samples, int bitDepth)
{
    std::vector<png_byte> row((samples.size() * static_cast<size_t>(bitDepth) + 7) / 8);
    size_t bit = 0;
    for (const int sample : samples)
    {
        if (bitDepth == 16)
        {
            row[bit / 8] = static_cast<png_byte>(sample >> 8);
            row[bit / 8 + 1] = static_cast<png_byte>(sample);
        }
        else
        {
            row[bit / 8] |= static_cast<png_byte>(sample << (8 - bitDepth - bit % 8));
        }
        bit += static_cast<size_t>(bitDepth);
    }
    return row;
}

// Encodes an image whose rows are all `rowSamples` (or given per row by `rowAt`).
std::vector<uint8_t> Encode(const PngFormat& format, int width = kWidth, int height = kHeight, bool interlaced = false,
                            std::vector<int> (*rowAt)(int, int) = nullptr)
{
    std::vector<uint8_t> out;
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png_create_info_struct(png);
    if (setjmp(png_jmpbuf(png)))
    {
        png_destroy_write_struct(&png, &info);
        return {};
    }
    png_set_write_fn(png, &out, Append, NoFlush);
    png_set_IHDR(png, info, static_cast<png_uint_32>(width), static_cast<png_uint_32>(height), format.bitDepth,
                 format.colourType, interlaced ? PNG_INTERLACE_ADAM7 : PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT,
                 PNG_FILTER_TYPE_DEFAULT);
    if (!format.palette.empty())
        png_set_PLTE(png, info, format.palette.data(), static_cast<int>(format.palette.size()));
    if (!format.paletteAlpha.empty())
        png_set_tRNS(png, info, format.paletteAlpha.data(), static_cast<int>(format.paletteAlpha.size()), nullptr);
    if (format.greyOrColourKey)
        png_set_tRNS(png, info, nullptr, 0, &format.key);
    png_write_info(png, info);
    std::vector<std::vector<png_byte>> rows;
    std::vector<png_bytep> rowPointers;
    for (int y = 0; y < height; ++y)
        rows.push_back(PackRow(rowAt ? rowAt(y, width) : format.samples, format.bitDepth));
    for (auto& row : rows)
        rowPointers.push_back(row.data());
    png_write_image(png, rowPointers.data());
    png_write_end(png, nullptr);
    png_destroy_write_struct(&png, &info);
    return out;
}

std::unique_ptr<PIX_MemBitmap> Decode(const std::vector<uint8_t>& bytes, size_t length)
{
    return std::unique_ptr<PIX_MemBitmap>(LoadPngFromMemory(bytes.data(), static_cast<int32_t>(length)));
}

std::vector<uint32_t> PixelsOf(PIX_MemBitmap& bitmap)
{
    std::vector<uint32_t> out;
    for (int32_t y = 0; y < bitmap.GetHeight(); ++y)
        for (int32_t x = 0; x < bitmap.GetWidth(); ++x)
            out.push_back(bitmap.GetPixelData()[y * bitmap.GetRowStride() + x]);
    return out;
}

const std::vector<png_color> kPalette = {{255, 0, 0}, {0, 255, 0}, {0, 0, 255}, {10, 20, 30}};

std::vector<PngFormat> Fixtures()
{
    return {
        {"grey 1-bit", PNG_COLOR_TYPE_GRAY, 1, {0, 1, 1, 0}, {}, {}, false, {}, {0xFF000000, 0xFFFFFFFF, 0xFFFFFFFF, 0xFF000000}},
        {"grey 2-bit", PNG_COLOR_TYPE_GRAY, 2, {0, 1, 2, 3}, {}, {}, false, {}, {0xFF000000, 0xFF555555, 0xFFAAAAAA, 0xFFFFFFFF}},
        {"grey 4-bit", PNG_COLOR_TYPE_GRAY, 4, {0, 5, 10, 15}, {}, {}, false, {}, {0xFF000000, 0xFF555555, 0xFFAAAAAA, 0xFFFFFFFF}},
        {"grey 8-bit", PNG_COLOR_TYPE_GRAY, 8, {0, 0x12, 0x80, 0xFF}, {}, {}, false, {}, {0xFF000000, 0xFF121212, 0xFF808080, 0xFFFFFFFF}},
        {"grey 16-bit", PNG_COLOR_TYPE_GRAY, 16, {0, 0x12FF, 0x8001, 0xFFFF}, {}, {}, false, {}, {0xFF000000, 0xFF121212, 0xFF808080, 0xFFFFFFFF}},
        {"grey 8-bit with a transparent value", PNG_COLOR_TYPE_GRAY, 8, {0, 0x12, 0x80, 0x12}, {}, {}, true, {0, 0, 0, 0, 0x12}, {0xFF000000, 0x00121212, 0xFF808080, 0x00121212}},
        {"palette", PNG_COLOR_TYPE_PALETTE, 8, {0, 1, 2, 3}, kPalette, {}, false, {}, {0xFFFF0000, 0xFF00FF00, 0xFF0000FF, 0xFF0A141E}},
        {"palette with tRNS", PNG_COLOR_TYPE_PALETTE, 8, {0, 1, 2, 3}, kPalette, {0, 128}, false, {}, {0x00FF0000, 0x8000FF00, 0xFF0000FF, 0xFF0A141E}},
        {"2-bit palette with tRNS", PNG_COLOR_TYPE_PALETTE, 2, {3, 2, 1, 0}, kPalette, {0, 128}, false, {}, {0xFF0A141E, 0xFF0000FF, 0x8000FF00, 0x00FF0000}},
        {"RGB 8-bit", PNG_COLOR_TYPE_RGB, 8, {1, 2, 3, 4, 5, 6, 7, 8, 9, 250, 251, 252}, {}, {}, false, {}, {0xFF010203, 0xFF040506, 0xFF070809, 0xFFFAFBFC}},
        {"RGB 16-bit", PNG_COLOR_TYPE_RGB, 16, {0x0102, 0x0304, 0x0506, 0, 0, 0, 0xFFFF, 0x8000, 0x7FFF, 0x10, 0x1000, 0x10FF}, {}, {}, false, {}, {0xFF010305, 0xFF000000, 0xFFFF807F, 0xFF001010}},
        {"RGB 8-bit with a transparent colour", PNG_COLOR_TYPE_RGB, 8, {1, 2, 3, 4, 5, 6, 1, 2, 3, 0, 0, 0}, {}, {}, true, {0, 1, 2, 3, 0}, {0x00010203, 0xFF040506, 0x00010203, 0xFF000000}},
        {"grey and alpha", PNG_COLOR_TYPE_GRAY_ALPHA, 8, {0x40, 0x80, 0xFF, 0, 0, 0xFF, 0x12, 0x34}, {}, {}, false, {}, {0x80404040, 0x00FFFFFF, 0xFF000000, 0x34121212}},
        {"RGBA 16-bit keeps the high bytes", PNG_COLOR_TYPE_RGB_ALPHA, 16, {0x1234, 0x5678, 0x9ABC, 0xDEF0, 0, 0, 0, 0, 0xFFFF, 0xFFFF, 0xFFFF, 0xFFFF, 0x00FF, 0x0100, 0x7F00, 0x8000}, {}, {}, false, {}, {0xDE12569A, 0x00000000, 0xFFFFFFFF, 0x8000017F}},
    };
}

std::vector<int> InterlacedRow(int y, int width)
{
    std::vector<int> samples;
    for (int x = 0; x < width; ++x)
        for (const int channel : {x * 20, y * 20, x + y, 255 - x})
            samples.push_back(channel & 0xFF);
    return samples;
}
}

TEST(PngDecoder, DecodesEveryPixelFormatToArgbWords)
{
    for (const PngFormat& format : Fixtures())
    {
        const std::vector<uint8_t> file = Encode(format);
        ASSERT_FALSE(file.empty()) << format.what;
        const auto bitmap = Decode(file, file.size());
        ASSERT_NE(bitmap, nullptr) << format.what;
        ASSERT_EQ(bitmap->GetWidth(), kWidth);
        ASSERT_EQ(bitmap->GetHeight(), kHeight);
        std::vector<uint32_t> expected = format.expected;
        expected.insert(expected.end(), format.expected.begin(), format.expected.end());
        EXPECT_EQ(PixelsOf(*bitmap), expected) << format.what;
    }
}

TEST(PngDecoder, DecodesInterlacedImages)
{
    const PngFormat format{"interlaced RGBA", PNG_COLOR_TYPE_RGB_ALPHA, 8, {}, {}, {}, false, {}, {}};
    const std::vector<uint8_t> file = Encode(format, 11, 9, true, InterlacedRow);
    const auto bitmap = Decode(file, file.size());
    ASSERT_NE(bitmap, nullptr);
    for (int y = 0; y < 9; ++y)
    {
        const std::vector<int> s = InterlacedRow(y, 11);
        for (int x = 0; x < 11; ++x)
        {
            const auto* p = &s[static_cast<size_t>(x) * 4];
            const uint32_t expected = static_cast<uint32_t>(p[3]) << 24 | static_cast<uint32_t>(p[0]) << 16
                                    | static_cast<uint32_t>(p[1]) << 8 | static_cast<uint32_t>(p[2]);
            ASSERT_EQ(bitmap->GetPixelData()[y * bitmap->GetRowStride() + x], expected) << x << "," << y;
        }
    }
}

TEST(PngDecoder, ShortForeignOrTruncatedDataGivesNull)
{
    const std::vector<uint8_t> file = Encode(Fixtures()[9]);
    EXPECT_EQ(Decode(file, 7), nullptr);
    EXPECT_EQ(LoadPngFromMemory(nullptr, 100), nullptr);
    EXPECT_EQ(LoadPngFromMemory(file.data(), -1), nullptr);
    std::vector<uint8_t> foreign = file;
    foreign[1] = 'Q';
    EXPECT_EQ(Decode(foreign, foreign.size()), nullptr);

    // Cut anywhere, the decoder fails, or (once the image data is complete) gives the whole image.
    const std::vector<uint32_t> whole = PixelsOf(*Decode(file, file.size()));
    for (size_t length = 8; length < file.size(); ++length)
    {
        if (const auto bitmap = Decode(file, length))
        {
            EXPECT_EQ(PixelsOf(*bitmap), whole) << "cut at " << length;
        }
    }

    // A header that promises an image far larger than memory allows.
    std::vector<uint8_t> huge = file;
    constexpr size_t kWidthOffset = 16;
    const uint8_t bigSize[8] = {0x00, 0x0F, 0x42, 0x40, 0x00, 0x0F, 0x42, 0x40};
    std::memcpy(&huge[kWidthOffset], bigSize, sizeof bigSize);
    constexpr size_t kHeaderTypeOffset = 12, kHeaderCrcOffset = 29, kHeaderTypeAndData = 17;
    const auto crc = static_cast<uint32_t>(crc32(0, &huge[kHeaderTypeOffset], kHeaderTypeAndData));
    for (size_t i = 0; i < 4; ++i)
        huge[kHeaderCrcOffset + i] = static_cast<uint8_t>(crc >> (24 - 8 * i));
    EXPECT_EQ(Decode(huge, huge.size()), nullptr);
}

TEST(PngDecoder, LoadsFilesIntoAGivenBitmapAndThroughTheLoaderList)
{
    const std::filesystem::path folder = std::filesystem::temp_directory_path() / "zv-png-decoder-test";
    std::filesystem::create_directories(folder);
    const std::string path = (folder / "bild-\xC3\xA4.PNG").string();
    const std::vector<uint8_t> file = Encode(Fixtures()[6]);
    {
        std::FILE* out = std::fopen(path.c_str(), "wb");
        ASSERT_NE(out, nullptr);
        std::fwrite(file.data(), 1, file.size(), out);
        std::fclose(out);
    }

    PIX_MemBitmap into;
    into.SetSize(40, 40);
    EXPECT_EQ(LoadPngFromFile(path.c_str(), &into), &into);
    EXPECT_EQ(into.GetWidth(), kWidth);
    EXPECT_EQ(into.GetPixelData()[3], 0xFF0A141Eu);
    EXPECT_EQ(LoadPngFromFile((folder / "missing.png").string().c_str(), nullptr), nullptr);

    ImageLoader* png = nullptr;
    for (ImageLoader* loader = FirstImageLoader(); loader; loader = loader->next)
        if (std::string(loader->fileFilter()) == "PNG files (*.PNG)")
            png = loader;
    ASSERT_NE(png, nullptr);
    const std::unique_ptr<PIX_MemBitmap> loaded(png->load(path.c_str(), true, nullptr));
    ASSERT_NE(loaded, nullptr);
    EXPECT_EQ(loaded->GetHeight(), kHeight);
    EXPECT_EQ(png->load((path + ".txt").c_str(), true, nullptr), nullptr);
    EXPECT_EQ(png->load("folder.png/image", true, nullptr), nullptr);
    std::filesystem::remove_all(folder);
}
