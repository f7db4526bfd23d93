#include "tests/graphics_support/HeadlessGraphics.h"
#include "tests/graphics_support/RecordingPlug.h"

#include "graphics/IBitmapControl.h"
#include "graphics/IKnobMultiControl.h"
#include "graphics/ISwitchControl.h"
#include "graphics/ITextControl.h"
#include "graphics/PIX_MemBitmap.h"

#include <benchmark/benchmark.h>

#include <memory>

namespace
{
constexpr int kColumns = 10;
constexpr int kRows = 15;
constexpr int kCellWidth = 65;
constexpr int kCellHeight = 55;

// A bitmap of the given size filled with a soft, partly transparent gradient.
std::unique_ptr<PIX_MemBitmap> Gradient(int width, int height)
{
    auto bitmap = std::make_unique<PIX_MemBitmap>();
    bitmap->SetSize(width, height);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            bitmap->GetPixelData()[y * bitmap->GetRowStride() + x] =
                static_cast<uint32_t>((x * 7 + y) & 0xFF) << 24 | static_cast<uint32_t>(x & 0xFF) << 16 |
                static_cast<uint32_t>(y & 0xFF) << 8 | 0x40u;
    return bitmap;
}

// The editor of the product's size: a background and 150 knobs, switches and texts.
class Editor
{
public:
    Editor()
    {
        for (int i = 0; i < 85; ++i)
            plug.GetParam(i)->InitContinuous("p", 0.5, 0.0, 1.0, 0.0, "", "", 1.0);
        graphics = plug.Attach(new HeadlessGraphics(&plug));
        const BitmapStrip background{backgroundBitmap.get(), 650, 830, 1, false};
        const BitmapStrip knob{knobBitmap.get(), 50, 50 * 64, 64, false};
        const BitmapStrip toggle{switchBitmap.get(), 40, 20 * 3, 3, false};
        TextStyle style;
        style.size = 11;
        style.colour = {255, 230, 230, 230};
        graphics->AddControl(new IBitmapControl(&plug, 0, 0, -1, &background, BlendSpec::kCopy));
        for (int i = 0; i < kColumns * kRows; ++i)
        {
            const int x = (i % kColumns) * kCellWidth;
            const int y = (i / kColumns) * kCellHeight;
            const int param = i % 85;
            switch (i % 3)
            {
            case 0:
                graphics->AddControl(new IKnobMultiControl(&plug, x + 7, y, param, &knob));
                break;
            case 1:
                graphics->AddControl(new ISwitchControl(&plug, x + 12, y + 15, param, &toggle));
                break;
            default:
                graphics->AddControl(new ITextControl(&plug, {x, y + 20, x + kCellWidth, y + 34}, &style, "-12.5 dB"));
                break;
            }
        }
        for (int i = 0; i < 85; ++i)
            graphics->ShowParamValue(i, 0.37, true);
        graphics->Tick();
        graphics->Tick();
    }

    void MarkAllDirty()
    {
        for (int i = 0; i < graphics->GetControlCount(); ++i)
            graphics->GetControl(i)->SetDirty(false);
    }

    std::unique_ptr<PIX_MemBitmap> backgroundBitmap = Gradient(650, 830);
    std::unique_ptr<PIX_MemBitmap> knobBitmap = Gradient(50, 50 * 64);
    std::unique_ptr<PIX_MemBitmap> switchBitmap = Gradient(40, 60);
    RecordingPlug plug;
    HeadlessGraphics* graphics = nullptr;
};

void FullDrawPass(benchmark::State& state)
{
    Editor editor;
    for (auto _ : state)
    {
        editor.MarkAllDirty();
        benchmark::DoNotOptimize(editor.graphics->Tick());
    }
}
BENCHMARK(FullDrawPass)->Unit(benchmark::kMillisecond);

void IdleTick(benchmark::State& state)
{
    Editor editor;
    for (auto _ : state)
        benchmark::DoNotOptimize(editor.graphics->Tick());
}
BENCHMARK(IdleTick)->Unit(benchmark::kMicrosecond);
}
