#include "editor/ControlLine.h"
#include "editor/IWzWaveDrawer.h"
#include "graphics/IGraphics.h"
#include "graphics/PIX_IBitmap.h"
#include "graphics/RasterPixel.h"
#include "plugin/ScopeBuffer.h"
#include "tests/editor_controls/ControlTestRig.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <set>
#include <utility>
#include <vector>

using Wezmark::IWzWaveDrawer;

namespace
{
struct EntryCase
{
    int writePosition;
    int capacity;
    int column;
    int expected;
};

class ScopeEntryTest : public testing::TestWithParam<EntryCase>
{
};

TEST_P(ScopeEntryTest, OldestEntryFirst)
{
    const EntryCase c = GetParam();
    EXPECT_EQ(IWzWaveDrawer::EntryForColumn(c.writePosition, c.capacity, c.column), c.expected);
}

// The write counter wraps at 16 bits, which 601 does not divide: columns past the wrap restart
// the count at 0.
INSTANTIATE_TEST_SUITE_P(Ring, ScopeEntryTest,
                         testing::Values(EntryCase{0, 601, 0, 0}, EntryCase{0, 601, 600, 600},
                                         EntryCase{600, 601, 1, 0}, EntryCase{300, 601, 400, 99},
                                         EntryCase{65535, 601, 0, 65535 % 601}, EntryCase{65535, 601, 1, 0},
                                         EntryCase{65530, 601, 10, 4}));

constexpr int kWidth = 611;
constexpr int kHeight = 90;

struct ScopeRig
{
    ScopeRig()
    {
        ring.Remake(ScopeBuffer::kCapacity);
        scope = rig.Add(new IWzWaveDrawer(&rig.plug, 0, 0, &strip, &rig.controller, &ring));
        rig.graphics->ClearCanvas();
    }

    // The colours drawn in one pixel column of the scope rect.
    std::set<uint32_t> ColumnColours(int x)
    {
        PIX_IBitmap* bitmap = rig.graphics->GetDrawBitmap();
        std::set<uint32_t> colours;
        const Rect& r = scope->ScopeRect();
        for (int y = r.top; y < r.bottom; ++y)
            colours.insert(bitmap->GetPixelData()[y * bitmap->GetRowStride() + x]);
        return colours;
    }

    void Draw()
    {
        scope->SetDirty(false);
        rig.graphics->Tick();
    }

    ControlTestRig rig;
    BitmapStrip strip{nullptr, kWidth, kHeight, 1, false};
    ScopeBuffer ring;
    IWzWaveDrawer* scope;
};

TEST(Scope, HiddenTracesLeaveOnlyTheCentreLines)
{
    ScopeRig r;
    for (ScopeEntry& entry : r.ring.entries)
        entry = {0.9, -0.9, 0.5, -0.5, false};
    r.rig.controller.inputShown = 0.0;
    r.rig.controller.outputShown = 0.0;
    r.Draw();
    EXPECT_EQ(r.ColumnColours(300).size(), 2u);
    r.rig.controller.inputShown = 1.0;
    r.Draw();
    EXPECT_GT(r.ColumnColours(300).size(), 2u);
}

TEST(Scope, SamplesBeyondFullScaleDrawAtFullScale)
{
    ScopeRig r;
    r.rig.controller.outputShown = 0.0;
    r.rig.controller.drawMode = IWzWaveDrawer::kLevelBars;
    for (ScopeEntry& entry : r.ring.entries)
        entry = {5.0, -7.0, 0.0, 0.0, false};
    r.Draw();
    PIX_IBitmap* bitmap = r.rig.graphics->GetDrawBitmap();
    const Rect& rect = r.scope->ScopeRect();
    const int x = 300;
    auto at = [&](int y) { return bitmap->GetPixelData()[y * bitmap->GetRowStride() + x]; };
    const int scale = r.scope->LaneScale();
    EXPECT_EQ(scale, 20);
    EXPECT_NE(at(rect.top), 0u);
    EXPECT_EQ(at(rect.top - 1), 0u);
    EXPECT_NE(at(rect.top + 4 * scale), 0u);
    EXPECT_EQ(at(rect.top + 4 * scale + 1), 0u);
}

TEST(Scope, GapEntriesDrawDim)
{
    ScopeRig r;
    r.rig.controller.outputShown = 0.0;
    r.rig.controller.drawMode = IWzWaveDrawer::kLevelBars;
    for (size_t i = 0; i < r.ring.entries.size(); ++i)
        r.ring.entries[i] = {0.5, 0.5, 0.0, 0.0, i >= 100 && i < 120};
    r.Draw();
    const int left = r.scope->ScopeRect().left;
    auto brightest = [&r](int x) {
        const std::set<uint32_t> colours = r.ColumnColours(x);
        return (*std::max_element(colours.begin(), colours.end(), [](uint32_t a, uint32_t b) {
                   return (a >> 16 & 0xFF) < (b >> 16 & 0xFF);
               }) >> 16) & 0xFF;
    };
    EXPECT_EQ(brightest(left + 130), 127u);
    EXPECT_LT(brightest(left + 110), 127u);
}

// What the scope drew before its columns were painted whole: one line per stroke, the input
// trace over every column, then the output trace.
void DrawStrokeByStroke(IGraphics* graphics, const IWzWaveDrawer& scope, const ScopeBuffer& ring, int mode,
                        bool input, bool output)
{
    const Rect& r = scope.ScopeRect();
    const int scale = scope.LaneScale();
    const int lane1 = r.top + scale;
    const int lane2 = r.top + 3 * scale;
    for (const int lane : {lane1, lane2})
        DrawControlLine(graphics, r.left, lane, r.right, lane, PixelWord(0x7F, 255, 255, 255), 0.5f);
    const int capacity = std::min<int>(ring.capacity, static_cast<int>(ring.entries.size()));
    for (const bool out : {false, true})
    {
        if (!(out ? output : input))
            continue;
        const uint32_t line = out ? PixelWord(255, 255, 250, 250) : PixelWord(255, 127, 127, 127);
        const uint32_t bars = out ? PixelWord(255, 127, 127, 127) : PixelWord(255, 63, 63, 63);
        int previous1 = lane1, previous2 = lane2;
        for (int k = 1; k < capacity; ++k)
        {
            const ScopeEntry& e = ring.entries[static_cast<size_t>(IWzWaveDrawer::EntryForColumn(ring.writeCounter, capacity, k))];
            const auto level = [&](double v) { return static_cast<int>(std::clamp(v, -1.0, 1.0) * scale); };
            const int a = level(out ? e.outputLeft : e.inputLeft);
            const int b = level(out ? e.outputRight : e.inputRight);
            const uint32_t colour = e.gap ? PixelWord(127, 63, 63, 63) : line;
            const int x = r.left + k;
            if (mode == IWzWaveDrawer::kLevelBars)
            {
                DrawControlLine(graphics, x, lane1 + a, x, lane1 - a, colour);
                DrawControlLine(graphics, x, lane2 + b, x, lane2 - b, colour);
                continue;
            }
            if (mode == IWzWaveDrawer::kBarsAndWaveform)
            {
                DrawControlLine(graphics, x, lane1, x, lane1 - a, bars);
                DrawControlLine(graphics, x, lane2, x, lane2 - b, bars);
            }
            DrawControlLine(graphics, x, previous1, x, lane1 - a, colour);
            DrawControlLine(graphics, x, previous2, x, lane2 - b, colour);
            previous1 = lane1 - a;
            previous2 = lane2 - b;
        }
    }
}

std::vector<uint32_t> Pixels(PIX_IBitmap* bitmap)
{
    const uint32_t* p = bitmap->GetPixelData();
    return {p, p + static_cast<size_t>(bitmap->GetRowStride()) * bitmap->GetHeight()};
}

TEST(Scope, EveryModeDrawsWhatOneLinePerStrokeDraws)
{
    ScopeRig r;
    r.ring.writeCounter = 65530;
    for (size_t i = 0; i < r.ring.entries.size(); ++i)
    {
        const double t = static_cast<double>(i);
        r.ring.entries[i] = {1.3 * std::sin(t * 0.7), 0.8 * std::sin(t * 0.31), -1.2 * std::sin(t * 0.7 + 0.4),
                             std::cos(t * 1.9), i % 37 < 5};
    }
    for (const int mode : {IWzWaveDrawer::kWaveform, IWzWaveDrawer::kBarsAndWaveform, IWzWaveDrawer::kLevelBars})
        for (const auto& [input, output] : {std::pair{true, true}, {true, false}, {false, true}})
        {
            r.rig.controller.drawMode = mode;
            r.rig.controller.inputShown = input ? 1.0 : 0.0;
            r.rig.controller.outputShown = output ? 1.0 : 0.0;
            r.rig.graphics->ClearCanvas();
            r.Draw();
            const std::vector<uint32_t> drawn = Pixels(r.rig.graphics->GetDrawBitmap());
            r.rig.graphics->ClearCanvas();
            DrawStrokeByStroke(r.rig.graphics, *r.scope, r.ring, mode, input, output);
            EXPECT_TRUE(drawn == Pixels(r.rig.graphics->GetDrawBitmap()))
                << "mode " << mode << ", input " << input << ", output " << output;
        }
}

// A ring that was never sized must not be walked (its capacity would divide).
TEST(Scope, EmptyRingDrawsNoTrace)
{
    ScopeRig r;
    r.ring.Remake(0);
    r.Draw();
    EXPECT_EQ(r.ColumnColours(300).size(), 2u);
}

TEST(Scope, WheelZooms)
{
    ScopeRig r;
    r.scope->OnMouseWheel(1, 1, nullptr, 3);
    r.scope->OnMouseWheel(1, 1, nullptr, -1);
    EXPECT_EQ(r.rig.controller.log, (std::vector<std::string>{"zoom in 3", "zoom out 1"}));
}
} // namespace
