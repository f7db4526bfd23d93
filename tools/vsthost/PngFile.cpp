#include "tools/vsthost/PngFile.h"

#include <png.h>

bool PngFile::Write(const std::string& path, const std::vector<uint32_t>& pixels, int32_t width, int32_t height,
                    std::string& error)
{
    if (width <= 0 || height <= 0 || pixels.size() != static_cast<size_t>(width) * static_cast<size_t>(height))
    {
        error = "no pixels to write to " + path;
        return false;
    }
    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    image.width = static_cast<png_uint_32>(width);
    image.height = static_cast<png_uint_32>(height);
    // A little-endian 0xAARRGGBB word lies in memory as B, G, R, A.
    image.format = PNG_FORMAT_BGRA;
    // libpng counts the row stride in samples.
    const png_int_32 rowStride = width * static_cast<png_int_32>(PNG_IMAGE_SAMPLE_CHANNELS(image.format));
    if (!png_image_write_to_file(&image, path.c_str(), 0, pixels.data(), rowStride, nullptr))
    {
        error = "cannot write " + path + ": " + image.message;
        png_image_free(&image);
        return false;
    }
    return true;
}
