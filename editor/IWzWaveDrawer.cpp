#include "editor/IWzWaveDrawer.h"

#include "editor/ControlLine.h"
#include "editor/ScopeColumn.h"
#include "editor/ScopeWheelZoom.h"
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
      mScope(scope), mRing(ring)
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
    const int32_t lane1 = mScopeRect.top + mScale;
    const int32_t lane2 = mScopeRect.top + 3 * mScale;
    for (const int32_t lane : {lane1, lane2})
        DrawControlLine(graphics, mScopeRect.left, lane, mScopeRect.right, lane, kCentreLineColour, kCentreLineWeight);
    // An empty ring has nothing to walk, and its capacity must never be a divisor.
    if (mScope && mRing && mRing->capacity != 0 && !mRing->entries.empty())
        DrawTraces(graphics);
    if (mFrame)
        graphics->DrawRectOutline(&kFrameColour, &mScopeRect);
    return true;
}

// Column by column, the input trace's strokes before the output's: each column's strokes are
// painted together, so the output trace still lies over the input.
void IWzWaveDrawer::DrawTraces(IGraphics* graphics) const
{
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
        for (int t = 0; t < traceCount; ++t)
            AddStrokes(column, traces[t], entry, mode);
        column.Paint(graphics->GetDrawBitmap(), mScopeRect.left + k);
    }
}

void IWzWaveDrawer::AddStrokes(ScopeColumn& column, Trace& trace, const ScopeEntry& entry, int mode) const
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
    if (mode == kLevelBars)
    {
        column.Add(lane1 + a, lane1 - a, colour);
        column.Add(lane2 + b, lane2 - b, colour);
    }
    else
    {
        if (mode == kBarsAndWaveform)
        {
            column.Add(lane1, y1, trace.colours.centreBars);
            column.Add(lane2, y2, trace.colours.centreBars);
        }
        column.Add(trace.previous1, y1, colour);
        column.Add(trace.previous2, y2, colour);
    }
    trace.previous1 = y1;
    trace.previous2 = y2;
}
} // namespace Wezmark
