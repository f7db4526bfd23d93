#include "tests/graphics_support/PngWriter.h"

#include "graphics/PIX_IBitmap.h"
#include "graphics/RasterPixel.h"

#include <png.h>

#include <cstdio>
#include <vector>

namespace
{
// Plain locals only: libpng reports errors by a long jump back into this function.
bool WriteImage(std::FILE* file, PIX_IBitmap& bitmap, png_byte* row)
{
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png ? png_create_info_struct(png) : nullptr;
    if (!info)
    {
        png_destroy_write_struct(&png, nullptr);
        return false;
    }
    if (setjmp(png_jmpbuf(png)) != 0)
    {
        png_destroy_write_struct(&png, &info);
        return false;
    }
    const int width = bitmap.GetWidth();
    const int height = bitmap.GetHeight();
    const uint32_t* pixels = bitmap.GetPixelData();
    png_init_io(png, file);
    png_set_IHDR(png, info, static_cast<png_uint_32>(width), static_cast<png_uint_32>(height), 8, PNG_COLOR_TYPE_RGBA,
                 PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    png_write_info(png, info);
    for (int y = 0; y < height; ++y)
    {
        const int sourceRow = bitmap.IsBottomUp() ? height - 1 - y : y;
        const uint32_t* line = pixels + static_cast<size_t>(sourceRow) * bitmap.GetRowStride();
        for (int x = 0; x < width; ++x)
        {
            row[x * 4 + 0] = static_cast<png_byte>(PixelRed(line[x]));
            row[x * 4 + 1] = static_cast<png_byte>(PixelGreen(line[x]));
            row[x * 4 + 2] = static_cast<png_byte>(PixelBlue(line[x]));
            row[x * 4 + 3] = static_cast<png_byte>(PixelAlpha(line[x]));
        }
        png_write_row(png, row);
    }
    png_write_end(png, nullptr);
    png_destroy_write_struct(&png, &info);
    return true;
}
}

bool WritePng(const std::string& path, PIX_IBitmap& bitmap)
{
    if (!bitmap.GetPixelData() || bitmap.GetWidth() <= 0 || bitmap.GetHeight() <= 0)
        return false;
    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (!file)
        return false;
    std::vector<png_byte> row(static_cast<size_t>(bitmap.GetWidth()) * 4);
    const bool written = WriteImage(file, bitmap, row.data());
    return std::fclose(file) == 0 && written;
}
