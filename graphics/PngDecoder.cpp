#include "graphics/PngDecoder.h"

#include "framework/ImageLoader.h"
#include "framework/ProcessLocks.h"
#include "graphics/PIX_MemBitmap.h"
#include "graphics/RasterPixel.h"
#include "graphics/RasterRows.h"
#include "graphics/Utf8FileOpen.h"

#include <png.h>

#include <algorithm>
#include <cctype>
#include <csetjmp>
#include <cstdlib>
#include <cstring>
#include <new>
#include <utility>

namespace
{
constexpr size_t kSignatureBytes = 8;
constexpr int kBytesPerPixel = 4;

struct MemorySource
{
    const png_byte* next;
    int32_t remaining;
};

// Past the end the reader gets zeros, which libpng then reports as a corrupt stream.
void ReadFromMemory(png_structp png, png_bytep out, png_size_t length)
{
    auto* source = static_cast<MemorySource*>(png_get_io_ptr(png));
    std::memset(out, 0, length);
    const auto count = static_cast<int32_t>(std::min<png_size_t>(length, static_cast<png_size_t>(source->remaining)));
    std::memcpy(out, source->next, static_cast<size_t>(count));
    source->next += count;
    source->remaining -= count;
}

// A plug-in has no console: errors only end the decode, warnings are dropped.
[[noreturn]] void FailQuietly(png_structp png, png_const_charp)
{
    png_longjmp(png, 1);
}

void IgnoreWarning(png_structp, png_const_charp) {}

// Everything one decode holds, released whichever way it ends (libpng errors long-jump
// back into DecodeImage, which owns no objects with destructors).
struct PngRead
{
    png_structp png = nullptr;
    png_infop info = nullptr;
    png_bytep* rows = nullptr;
    PIX_MemBitmap* created = nullptr;

    PngRead()
    {
        png = png_create_read_struct(PNG_LIBPNG_VER_STRING, nullptr, FailQuietly, IgnoreWarning);
        if (png)
            info = png_create_info_struct(png);
    }
    ~PngRead()
    {
        png_destroy_read_struct(&png, info ? &info : nullptr, nullptr);
        std::free(rows);
        delete created;
    }
    PngRead(const PngRead&) = delete;
    PngRead& operator=(const PngRead&) = delete;
};

// Expands every image kind to 8-bit A, R, G, B. Whether the result has alpha is known only
// after the expansions (a tRNS chunk adds one), so that is decided from the transformed
// colour type, and anything that still is not 4 bytes per pixel is refused.
bool SetTransforms(png_structp png, png_infop info)
{
    const int colourType = png_get_color_type(png, info);
    const int bitDepth = png_get_bit_depth(png, info);
    if (colourType == PNG_COLOR_TYPE_PALETTE)
        png_set_palette_to_rgb(png);
    if ((colourType & PNG_COLOR_MASK_COLOR) == 0 && bitDepth < 8)
        png_set_expand_gray_1_2_4_to_8(png);
    const bool transparency = png_get_valid(png, info, PNG_INFO_tRNS) != 0;
    if (transparency)
        png_set_tRNS_to_alpha(png);
    if (bitDepth == 16)
        png_set_strip_16(png);
    if (bitDepth < 8)
        png_set_packing(png);
    if ((colourType & PNG_COLOR_MASK_COLOR) == 0)
        png_set_gray_to_rgb(png);
    const bool alpha = (colourType & PNG_COLOR_MASK_ALPHA) != 0 || transparency;
    if (alpha)
        png_set_swap_alpha(png);
    else
        png_set_filler(png, 0xFF, PNG_FILLER_BEFORE);
    png_set_interlace_handling(png);
    png_read_update_info(png, info);

    const int outputType = png_get_color_type(png, info);
    return png_get_bit_depth(png, info) == 8 && png_get_channels(png, info) == kBytesPerPixel
        && (outputType == PNG_COLOR_TYPE_RGB_ALPHA || outputType == PNG_COLOR_TYPE_RGB)
        && png_get_rowbytes(png, info) == static_cast<png_size_t>(png_get_image_width(png, info)) * kBytesPerPixel;
}

// Bytes A, R, G, B as libpng wrote them become the words 0xAARRGGBB.
void PackRows(PIX_MemBitmap& bitmap)
{
    uint32_t* const pixels = bitmap.GetPixelData();
    for (int32_t y = 0; y < bitmap.GetHeight(); ++y)
    {
        uint32_t* row = RasterRowPointer(bitmap, pixels, y);
        const auto* bytes = reinterpret_cast<const uint8_t*>(row);
        for (int32_t x = 0; x < bitmap.GetWidth(); ++x, bytes += kBytesPerPixel)
            row[x] = PixelWord(bytes[0], bytes[1], bytes[2], bytes[3]);
    }
}

// Reads the image into `into`, or into a new bitmap kept in read.created. The caller has
// set up the input. False on any failure.
bool DecodeImage(PngRead& read, PIX_MemBitmap* into)
{
    if (setjmp(png_jmpbuf(read.png)))
        return false;

    png_read_info(read.png, read.info);
    if (!SetTransforms(read.png, read.info))
        return false;
    const png_uint_32 width = png_get_image_width(read.png, read.info);
    const png_uint_32 height = png_get_image_height(read.png, read.info);
    if (width < 1 || height < 1 || width > 0x7FFFFFFF || height > 0x7FFFFFFF)
        return false;

    PIX_MemBitmap* bitmap = into;
    if (!bitmap)
    {
        read.created = new (std::nothrow) PIX_MemBitmap;
        bitmap = read.created;
        if (!bitmap)
            return false;
    }
    const auto w = static_cast<int32_t>(width), h = static_cast<int32_t>(height);
    bitmap->SetSize(w, h);
    if (bitmap->GetWidth() != w || bitmap->GetHeight() != h || !bitmap->GetPixelData())
        return false;

    read.rows = static_cast<png_bytep*>(std::malloc(sizeof(png_bytep) * height));
    if (!read.rows)
        return false;
    uint32_t* const pixels = bitmap->GetPixelData();
    for (int32_t y = 0; y < h; ++y)
        read.rows[y] = reinterpret_cast<png_bytep>(RasterRowPointer(*bitmap, pixels, y));
    png_read_image(read.png, read.rows);
    PackRows(*bitmap);
    return true;
}

PIX_MemBitmap* Finish(PngRead& read, PIX_MemBitmap* into, bool decoded)
{
    if (!decoded)
        return nullptr;
    if (into)
        return into;
    return std::exchange(read.created, nullptr);
}

bool HasPngExtension(const char* path)
{
    const char* last = nullptr;
    for (const char* c = path; *c; ++c)
        if (*c == '.' || *c == '/' || *c == '\\')
            last = c;
    constexpr const char* kExtension = ".png";
    if (!last || std::strlen(last) != std::strlen(kExtension))
        return false;
    for (size_t i = 0; kExtension[i]; ++i)
        if (std::tolower(static_cast<unsigned char>(last[i])) != kExtension[i])
            return false;
    return true;
}

PIX_MemBitmap* LoadPngFile(const char* path, bool checkExtension, PIX_MemBitmap* into)
{
    if (!path || (checkExtension && !HasPngExtension(path)))
        return nullptr;
    return LoadPngFromFile(path, into);
}

const char* PngFileFilter()
{
    return "PNG files (*.PNG)";
}

// Set up when the plug-in file is loaded, before any instance exists: the PNG loader on the
// image-loader list, and the two cache locks (this file is linked into every module that
// decodes images).
struct RegisterPngLoader
{
    ImageLoader node{LoadPngFile, PngFileFilter, nullptr};

    RegisterPngLoader()
    {
        BitmapCacheLock();
        FontCacheLock();
        RegisterImageLoader(node);
    }
};

RegisterPngLoader gPngLoader;
}

PIX_MemBitmap* LoadPngFromMemory(const void* data, int32_t size)
{
    if (!data || size < static_cast<int32_t>(kSignatureBytes)
        || png_sig_cmp(static_cast<png_const_bytep>(data), 0, kSignatureBytes) != 0)
        return nullptr;
    PngRead read;
    if (!read.info)
        return nullptr;
    MemorySource source{static_cast<const png_byte*>(data), size};
    png_set_read_fn(read.png, &source, ReadFromMemory);
    const bool decoded = DecodeImage(read, nullptr);
    return Finish(read, nullptr, decoded);
}

PIX_MemBitmap* LoadPngFromFile(const char* path, PIX_MemBitmap* into)
{
    std::FILE* file = OpenUtf8FileForReading(path);
    if (!file)
        return nullptr;
    PngRead read;
    bool decoded = false;
    if (read.info)
    {
        png_init_io(read.png, file);
        decoded = DecodeImage(read, into);
    }
    std::fclose(file);
    return Finish(read, into, decoded);
}
