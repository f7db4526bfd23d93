#include "graphics/PIX_MemBitmap.h"
#include "graphics/PngDecoder.h"
#include "graphics/RasterBlit.h"
#include "graphics/RasterFillRect.h"
#include "graphics/RasterMode.h"

#include <benchmark/benchmark.h>
#include <png.h>

#include <cmath>
#include <cstdint>
#include <memory>
#include <vector>

namespace
{
constexpr int32_t kEditorWidth = 650;
constexpr int32_t kEditorHeight = 830;
constexpr int32_t kKnobSize = 50;
constexpr int32_t kStripFrames = 128;

// One knob frame: an opaque disc with a soft rim on a transparent square, as the artwork has.
uint32_t KnobPixel(int32_t x, int32_t y, int32_t frame)
{
    const double dx = x - 24.5, dy = y - 24.5;
    const double distance = std::sqrt(dx * dx + dy * dy);
    const double coverage = std::clamp(22.0 - distance, 0.0, 1.0);
    const auto alpha = static_cast<uint32_t>(coverage * 255.0);
    const auto shade = static_cast<uint32_t>((x * 3 + y * 2 + frame) & 0xFF);
    return alpha << 24 | shade << 16 | (255 - shade) << 8 | 0x40;
}

void FillKnob(PIX_MemBitmap& bitmap, int32_t frames)
{
    bitmap.SetSize(kKnobSize, kKnobSize * frames);
    for (int32_t y = 0; y < bitmap.GetHeight(); ++y)
        for (int32_t x = 0; x < kKnobSize; ++x)
            bitmap.GetPixelData()[y * bitmap.GetRowStride() + x] = KnobPixel(x, y % kKnobSize, y / kKnobSize);
}

void BlitKnob(benchmark::State& state, float alpha, uint32_t mode)
{
    PIX_MemBitmap editor, knob;
    editor.SetSize(kEditorWidth, kEditorHeight);
    FillKnob(knob, 1);
    int32_t position = 0;
    for (auto _ : state)
    {
        // Walk the knob over the editor so the destination is not always in cache.
        const int32_t x = (position * 53) % (kEditorWidth - kKnobSize);
        const int32_t y = (position * 97) % (kEditorHeight - kKnobSize);
        RasterBlit(&editor, &knob, x, y, nullptr, alpha, mode);
        ++position;
        benchmark::DoNotOptimize(editor.GetPixelData());
    }
    state.SetItemsProcessed(state.iterations() * kKnobSize * kKnobSize);
}

void OpaqueCopyBlit(benchmark::State& state)
{
    BlitKnob(state, 1.0f, RasterModeCopy);
}

void WeightedCopyBlit(benchmark::State& state)
{
    BlitKnob(state, 0.7f, RasterModeCopy);
}

void SourceAlphaBlit(benchmark::State& state)
{
    BlitKnob(state, 1.0f, RasterModeSourceAlpha);
}

void FullSizeFill(benchmark::State& state)
{
    PIX_MemBitmap editor;
    editor.SetSize(kEditorWidth, kEditorHeight);
    const auto alpha = static_cast<float>(state.range(0)) / 256.0f;
    for (auto _ : state)
    {
        RasterFillRect(&editor, 0, 0, kEditorWidth, kEditorHeight, 0xFF203040, alpha, RasterModeCopy);
        benchmark::DoNotOptimize(editor.GetPixelData());
    }
    state.SetItemsProcessed(state.iterations() * kEditorWidth * kEditorHeight);
}

void Append(png_structp png, png_bytep data, png_size_t length)
{
    auto* out = static_cast<std::vector<uint8_t>*>(png_get_io_ptr(png));
    out->insert(out->end(), data, data + length);
}

std::vector<uint8_t> EncodeKnobStrip()
{
    std::vector<uint8_t> out;
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png_create_info_struct(png);
    png_set_write_fn(png, &out, Append, nullptr);
    constexpr int32_t kHeight = kKnobSize * kStripFrames;
    png_set_IHDR(png, info, kKnobSize, kHeight, 8, PNG_COLOR_TYPE_RGB_ALPHA, PNG_INTERLACE_NONE,
                 PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    png_write_info(png, info);
    std::vector<png_byte> row(kKnobSize * 4);
    for (int32_t y = 0; y < kHeight; ++y)
    {
        for (int32_t x = 0; x < kKnobSize; ++x)
        {
            const uint32_t p = KnobPixel(x, y % kKnobSize, y / kKnobSize);
            row[x * 4 + 0] = static_cast<png_byte>(p >> 16);
            row[x * 4 + 1] = static_cast<png_byte>(p >> 8);
            row[x * 4 + 2] = static_cast<png_byte>(p);
            row[x * 4 + 3] = static_cast<png_byte>(p >> 24);
        }
        png_write_row(png, row.data());
    }
    png_write_end(png, nullptr);
    png_destroy_write_struct(&png, &info);
    return out;
}

void DecodeKnobStrip(benchmark::State& state)
{
    const std::vector<uint8_t> file = EncodeKnobStrip();
    for (auto _ : state)
    {
        const std::unique_ptr<PIX_MemBitmap> bitmap(LoadPngFromMemory(file.data(), static_cast<int32_t>(file.size())));
        benchmark::DoNotOptimize(bitmap.get());
    }
    state.SetItemsProcessed(state.iterations() * kKnobSize * kKnobSize * kStripFrames);
}
}

BENCHMARK(OpaqueCopyBlit);
BENCHMARK(WeightedCopyBlit);
BENCHMARK(SourceAlphaBlit);
BENCHMARK(FullSizeFill)->Arg(256)->Arg(128)->Arg(77);
BENCHMARK(DecodeKnobStrip)->Unit(benchmark::kMillisecond);
