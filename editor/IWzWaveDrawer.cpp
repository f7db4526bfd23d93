#include "editor/IWzWaveDrawer.h"

#include "editor/ControlLine.h"
#include "editor/ScopeColumn.h"
#include "editor/ScopeWheelZoom.h"
#include "graphics/DirtyArea.h"
#include "graphics/IGraphics.h"
#include "graphics/RasterPixel.h"
#include "plugin/IScopeController.h"
#include "plugin/ScopeBuffer.h"

#include <algorithm>
#include <cmath>

namespace Wezmark
{
namespace
{
constexpr uint32_t kCentreLineColour = PixelWord(0x7F, 255, 255, 255);
constexpr float kCentreLineWeight = 0.5f;
constexpr uint32_t kGapColour = PixelWord(127, 63, 63, 63);
constexpr uint32_t kInputLine = PixelWord(255, 127, 127, 127);
constexpr uint32_t kInputCentreBars = PixelWord(255, 63, 63, 63);
constexpr uint32_t kOutputLine = PixelWord(255, 255, 250, 250);
constexpr uint32_t kOutputCentreBars = PixelWord(255, 127, 127, 127);
constexpr ArgbColour kFrameColour{255, 0, 0, 0};
constexpr int kCounterRange = 65536;

// A sample beyond full scale draws at full scale; one that is not a number at the centre.
double FullScale(double sample)
{
    return std::isfinite(sample) ? std::clamp(sample, -1.0, 1.0) : 0.0;
}

Rect Inset(const Rect& rect, int by)
{
    return {rect.left + by, rect.top + by, rect.right - by, rect.bottom - by};
}
}

IWzWaveDrawer::IWzWaveDrawer(IEffectBase* plug, int x, int y, const BitmapStrip* strip, IScopeController* scope,
                             const ScopeBuffer* ring)
    : IBitmapControl(plug, x, y, strip), mScopeRect(Inset(mDrawRect, kInset)), mScale(mScopeRect.Height() / 4),
      mScope(scope), mRing(ring), mShown(static_cast<size_t>(BandCount() * kLanes))
{
}

void IWzWaveDrawer::OnMouseWheel(int, int, const MouseModifiers*, int notches)
{
    ZoomScopeByWheel(mScope, notches);
}

int IWzWaveDrawer::EntryForColumn(int writePosition, int capacity, int column)
{
    return (writePosition + column) % kCounterRange % capacity;
}

bool IWzWaveDrawer::Draw(IGraphics* graphics)
{
    IBitmapControl::Draw(graphics);
    const Rect& clip = graphics->GetDrawRect();
    DrawCentreLines(graphics, clip);
    const TraceRows drawn = WalkTraces(graphics);
    // A cell the draw rect holds whole shows only what was drawn now; any other may still
    // show some of what it showed before.
    for (size_t cell = 0; cell < mShown.size(); ++cell)
    {
        const Rect shown = CellRect(static_cast<int>(cell), mShown[cell]);
        if (shown.IsEmpty() || clip.Intersection(shown) == shown)
            mShown[cell] = drawn[cell];
        else
            mShown[cell].Include(drawn[cell]);
    }
    if (clip.Intersection(mDrawRect) == mDrawRect)
        mWholeDue.store(false);
    if (mFrame)
        graphics->DrawRectOutline(&kFrameColour, &mScopeRect);
    return true;
}

void IWzWaveDrawer::AddRedrawArea(DirtyArea* area) const
{
    if (mWholeDue.load())
    {
        IBitmapControl::AddRedrawArea(area);
        return;
    }
    const TraceRows coming = WalkTraces(nullptr);
    for (size_t cell = 0; cell < mShown.size(); ++cell)
    {
        Rows rows = mShown[cell];
        rows.Include(coming[cell]);
        area->Add(CellRect(static_cast<int>(cell), rows));
    }
}

void IWzWaveDrawer::Hide(bool hide)
{
    // Whatever is drawn in its place meanwhile is not known here.
    if (hide)
        mWholeDue.store(true);
    IBitmapControl::Hide(hide);
}

void IWzWaveDrawer::Rows::Include(int32_t y1, int32_t y2)
{
    const int32_t low = std::min(y1, y2);
    const int32_t high = std::max(y1, y2);
    top = IsEmpty() ? low : std::min(top, low);
    bottom = IsEmpty() ? high : std::max(bottom, high);
}

void IWzWaveDrawer::Rows::Include(const Rows& other)
{
    if (!other.IsEmpty())
        Include(other.top, other.bottom);
}

int IWzWaveDrawer::BandCount() const
{
    return (mDrawRect.Width() + kBandColumns - 1) / kBandColumns;
}

// Cells run band by band, the upper lane's before the lower's.
Rect IWzWaveDrawer::CellRect(int cell, const Rows& rows) const
{
    if (rows.IsEmpty())
        return {};
    const int32_t left = mDrawRect.left + cell / kLanes * kBandColumns;
    return {left, rows.top, std::min(left + kBandColumns, mDrawRect.right), rows.bottom + 1};
}

void IWzWaveDrawer::DrawCentreLines(IGraphics* graphics, const Rect& clip) const
{
    const int32_t left = std::max(mScopeRect.left, clip.left);
    const int32_t right = std::min(mScopeRect.right, clip.right - 1);
    for (const int32_t lane : {mScopeRect.top + mScale, mScopeRect.top + 3 * mScale})
        if (left <= right && lane >= clip.top && lane < clip.bottom)
            DrawControlLine(graphics, left, lane, right, lane, kCentreLineColour, kCentreLineWeight);
}

// Column by column, the input trace's strokes before the output's: each column's strokes are
// painted together, so the output trace still lies over the input.
IWzWaveDrawer::TraceRows IWzWaveDrawer::WalkTraces(IGraphics* graphics) const
{
    TraceRows cells(mShown.size());
    // An empty ring has nothing to walk, and its capacity must never be a divisor.
    if (!mScope || !mRing || mRing->capacity == 0 || mRing->entries.empty())
        return cells;
    const int mode = mScope->GetDrawMode();
    Trace traces[2];
    int traceCount = 0;
    const int32_t lane1 = mScopeRect.top + mScale;
    const int32_t lane2 = mScopeRect.top + 3 * mScale;
    if (mScope->IsInputTraceShown())
        traces[traceCount++] = {false, {kInputLine, kGapColour, kInputCentreBars}, lane1, lane2};
    if (mScope->IsOutputTraceShown())
        traces[traceCount++] = {true, {kOutputLine, kGapColour, kOutputCentreBars}, lane1, lane2};
    const int capacity = std::min<int>(mRing->capacity, static_cast<int>(mRing->entries.size()));
    const int writePosition = mRing->writeCounter;
    ScopeColumn column;
    for (int k = 1; k < capacity; ++k)
    {
        const ScopeEntry& entry = mRing->entries[static_cast<size_t>(EntryForColumn(writePosition, capacity, k))];
        const int32_t x = mScopeRect.left + k;
        if (x >= mDrawRect.right)
            break;
        const size_t band = static_cast<size_t>((x - mDrawRect.left) / kBandColumns);
        Rows lanes[kLanes];
        for (int t = 0; t < traceCount; ++t)
            AddStrokes(column, lanes, traces[t], entry, mode);
        for (size_t lane = 0; lane < kLanes; ++lane)
            cells[band * kLanes + lane].Include(lanes[lane]);
        if (graphics)
            column.Paint(graphics->GetDrawBitmap(), x, graphics->GetDrawRect());
        else
            column.Clear();
    }
    return cells;
}

void IWzWaveDrawer::AddStrokes(ScopeColumn& column, Rows (&lanes)[kLanes], Trace& trace, const ScopeEntry& entry,
                               int mode) const
{
    const int32_t lane1 = mScopeRect.top + mScale;
    const int32_t lane2 = mScopeRect.top + 3 * mScale;
    const double left = trace.output ? entry.outputLeft : entry.inputLeft;
    const double right = trace.output ? entry.outputRight : entry.inputRight;
    const auto a = static_cast<int32_t>(FullScale(left) * mScale);
    const auto b = static_cast<int32_t>(FullScale(right) * mScale);
    const int32_t y1 = lane1 - a;
    const int32_t y2 = lane2 - b;
    const uint32_t colour = entry.gap ? trace.colours.gap : trace.colours.line;
    const auto stroke = [&](int lane, int32_t from, int32_t to, uint32_t strokeColour) {
        column.Add(from, to, strokeColour);
        lanes[lane].Include(from, to);
    };
    if (mode == kLevelBars)
    {
        stroke(0, lane1 + a, lane1 - a, colour);
        stroke(1, lane2 + b, lane2 - b, colour);
    }
    else
    {
        if (mode == kBarsAndWaveform)
        {
            stroke(0, lane1, y1, trace.colours.centreBars);
            stroke(1, lane2, y2, trace.colours.centreBars);
        }
        stroke(0, trace.previous1, y1, colour);
        stroke(1, trace.previous2, y2, colour);
    }
    trace.previous1 = y1;
    trace.previous2 = y2;
}
} // namespace Wezmark
