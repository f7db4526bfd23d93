#include "editor/ControlLine.h"
#include "editor/IWzWaveDrawer.h"
#include "graphics/IGraphics.h"
#include "graphics/PIX_IBitmap.h"
#include "graphics/PIX_MemBitmap.h"
#include "graphics/RasterPixel.h"
#include "plugin/ScopeBuffer.h"
#include "tests/editor_controls/ControlTestRig.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <functional>
#include <limits>
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

// A scope over a patterned background, so that a trace left standing or a background painted
// in the wrong place shows in its pixels.
struct BackedScopeRig
{
    BackedScopeRig()
    {
        background.SetSize(kWidth, kHeight);
        uint32_t* pixels = background.GetPixelData();
        for (int y = 0; y < kHeight; ++y)
            for (int x = 0; x < kWidth; ++x)
                pixels[y * background.GetRowStride() + x] =
                    PixelWord(255, static_cast<uint32_t>(x * 7 % 256), static_cast<uint32_t>(y * 13 % 256), 90);
        ring.Remake(ScopeBuffer::kCapacity);
        scope = rig.Add(new IWzWaveDrawer(&rig.plug, 0, 0, &strip, &rig.controller, &ring));
    }

    // What a full redraw of the present state paints, leaving the canvas as it was.
    std::vector<uint32_t> FullRedraw()
    {
        const std::vector<uint32_t> before = Pixels(rig.graphics->GetDrawBitmap());
        rig.graphics->DrawDirty(&scope->GetDrawRect());
        const std::vector<uint32_t> full = Pixels(rig.graphics->GetDrawBitmap());
        std::copy(before.begin(), before.end(), rig.graphics->GetDrawBitmap()->GetPixelData());
        return full;
    }

    int64_t PaintedArea() const
    {
        int64_t area = 0;
        for (const Rect& rect : rig.graphics->paintedRects)
            area += int64_t{rect.Width()} * rect.Height();
        return area;
    }

    ControlTestRig rig;
    PIX_MemBitmap background;
    BitmapStrip strip{&background, kWidth, kHeight, 1, false};
    ScopeBuffer ring;
    IWzWaveDrawer* scope;
};

// What the scope shows: the ring's entries, column by column, and the controller's settings.
struct ScopeState
{
    std::function<ScopeEntry(int)> entry;
    int mode = IWzWaveDrawer::kWaveform;
    bool input = true;
    bool output = true;
    uint16_t writeCounter = 0;

    void ShowIn(BackedScopeRig& r) const
    {
        for (size_t i = 0; i < r.ring.entries.size(); ++i)
            r.ring.entries[i] = entry(static_cast<int>(i));
        r.ring.writeCounter = writeCounter;
        r.rig.controller.drawMode = mode;
        r.rig.controller.inputShown = input ? 1.0 : 0.0;
        r.rig.controller.outputShown = output ? 1.0 : 0.0;
    }
};

ScopeEntry Sine(int i, double level, double phase = 0.0)
{
    const double v = level * std::sin(i * 0.05 + phase);
    return {v, -v, 0.8 * v, -0.8 * v, false};
}

ScopeEntry Silence(int)
{
    return {};
}

ScopeEntry Impulse(int i)
{
    return i == 300 ? ScopeEntry{1.0, -1.0, 0.7, -0.7, false} : ScopeEntry{};
}

// A frame drawn on the scope's own tick paints only where the traces were or are, and leaves
// every pixel as a full redraw of the display would.
TEST(Scope, APartialFrameMatchesAFullRedraw)
{
    const double nan = std::numeric_limits<double>::quiet_NaN();
    struct Case
    {
        const char* name;
        ScopeState before;
        ScopeState after;
        // Painted no more than this share of the scope, in percent.
        int mostPaintedPercent;
    };
    const Case cases[] = {
        {"a quiet sine scrolls on", {[](int i) { return Sine(i, 0.3); }}, {[](int i) { return Sine(i, 0.3); }, 0, true, true, 37}, 40},
        {"a full-scale transient comes in", {Silence}, {Impulse}, 30},
        {"the transient scrolls out", {Impulse}, {Impulse, 0, true, true, 400}, 30},
        {"beyond full scale at both edges, then quiet",
         {[](int i) { return ScopeEntry{i % 2 ? 5.0 : -5.0, i % 3 ? 9.0 : -9.0, 1.5, -1.5, false}; }},
         {[](int i) { return Sine(i, 0.1); }}, 100},
        {"not numbers, then a sine", {[nan](int) { return ScopeEntry{nan, nan, nan, nan, false}; }},
         {[](int i) { return Sine(i, 0.5); }}, 60},
        {"level bars become a waveform", {[](int i) { return Sine(i, 0.4); }, IWzWaveDrawer::kLevelBars},
         {[](int i) { return Sine(i, 0.4); }}, 60},
        {"half filled: bars under the waveform", {[](int i) { return Sine(i, 0.4); }},
         {[](int i) { return Sine(i, 0.4, 1.0); }, IWzWaveDrawer::kBarsAndWaveform}, 60},
        {"the output trace hidden", {[](int i) { return Sine(i, 0.6); }},
         {[](int i) { return Sine(i, 0.6); }, 0, true, false}, 70},
        {"frozen, the input trace shown again", {[](int i) { return Sine(i, 0.2); }, 0, false, true},
         {[](int i) { return Sine(i, 0.2); }, 0, true, true}, 40},
        {"gaps break in", {[](int i) { return Sine(i, 0.3); }},
         {[](int i) { ScopeEntry e = Sine(i, 0.3); e.gap = i % 50 < 10; return e; }}, 40},
        {"the write counter wraps", {[](int i) { return Sine(i, 0.3); }, 0, true, true, 65500},
         {[](int i) { return Sine(i, 0.3, 2.0); }, 0, true, true, 40}, 40},
    };
    for (const Case& c : cases)
    {
        BackedScopeRig r;
        c.before.ShowIn(r);
        r.rig.graphics->Tick();
        c.after.ShowIn(r);
        r.scope->SetDirty(false);
        r.rig.graphics->paintedRects.clear();
        r.rig.graphics->Tick();
        const int64_t painted = r.PaintedArea();
        const int64_t whole = int64_t{kWidth} * kHeight;
        EXPECT_LE(painted * 100, whole * c.mostPaintedPercent) << c.name;
        EXPECT_TRUE(Pixels(r.rig.graphics->GetDrawBitmap()) == r.FullRedraw()) << c.name;
    }
}

// A repaint of part of the window (another window moved away) draws the ring as it is now; the
// next frame still clears what that left.
TEST(Scope, APartialRepaintBetweenFramesLeavesNothingStanding)
{
    BackedScopeRig r;
    const ScopeState a{[](int i) { return Sine(i, 0.2); }};
    const ScopeState b{[](int i) { return Sine(i, 0.9, 1.0); }};
    const ScopeState c{Impulse};
    a.ShowIn(r);
    r.rig.graphics->Tick();
    b.ShowIn(r);
    const Rect exposed{100, 0, 250, kHeight};
    r.rig.graphics->DrawDirty(&exposed);
    c.ShowIn(r);
    r.scope->SetDirty(false);
    r.rig.graphics->Tick();
    EXPECT_TRUE(Pixels(r.rig.graphics->GetDrawBitmap()) == r.FullRedraw());
}

// Whatever covered the scope while it was hidden is painted over whole when it shows again.
TEST(Scope, ShownAgainItPaintsTheWholeDisplay)
{
    BackedScopeRig r;
    const ScopeState a{[](int i) { return Sine(i, 0.2); }};
    a.ShowIn(r);
    r.rig.graphics->Tick();
    r.scope->Hide(true);
    r.rig.graphics->Tick();
    r.rig.graphics->ClearCanvas();
    r.scope->Hide(false);
    EXPECT_EQ(r.rig.graphics->Tick(), r.scope->GetDrawRect());
    EXPECT_TRUE(Pixels(r.rig.graphics->GetDrawBitmap()) == r.FullRedraw());
}

TEST(Scope, WheelZooms)
{
    ScopeRig r;
    r.scope->OnMouseWheel(1, 1, nullptr, 3);
    r.scope->OnMouseWheel(1, 1, nullptr, -1);
    EXPECT_EQ(r.rig.controller.log, (std::vector<std::string>{"zoom in 3", "zoom out 1"}));
}
} // namespace
