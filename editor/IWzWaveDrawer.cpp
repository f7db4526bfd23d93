#include "editor/IWzWaveDrawer.h"

#include "editor/ControlLine.h"
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
    {
        const int mode = mScope->GetDrawMode();
        if (mScope->IsInputTraceShown())
            DrawTrace(graphics, false, mode);
        if (mScope->IsOutputTraceShown())
            DrawTrace(graphics, true, mode);
    }
    if (mFrame)
        graphics->DrawRectOutline(&kFrameColour, &mScopeRect);
    return true;
}

void IWzWaveDrawer::DrawTrace(IGraphics* graphics, bool output, int mode) const
{
    const TraceColours colours = output ? TraceColours{kOutputLine, kGapColour, kOutputCentreBars}
                                        : TraceColours{kInputLine, kGapColour, kInputCentreBars};
    const int32_t lane1 = mScopeRect.top + mScale;
    const int32_t lane2 = mScopeRect.top + 3 * mScale;
    const int capacity = std::min<int>(mRing->capacity, static_cast<int>(mRing->entries.size()));
    const int writePosition = mRing->writeCounter;
    // The first column only starts the trace at the centre lines.
    int32_t previous1 = lane1;
    int32_t previous2 = lane2;
    for (int k = 1; k < capacity; ++k)
    {
        const ScopeEntry& entry = mRing->entries[static_cast<size_t>(EntryForColumn(writePosition, capacity, k))];
        const double left = output ? entry.outputLeft : entry.inputLeft;
        const double right = output ? entry.outputRight : entry.inputRight;
        const auto a = static_cast<int32_t>(FullScale(left) * mScale);
        const auto b = static_cast<int32_t>(FullScale(right) * mScale);
        const int32_t y1 = lane1 - a;
        const int32_t y2 = lane2 - b;
        const int32_t x = mScopeRect.left + k;
        const uint32_t colour = entry.gap ? colours.gap : colours.line;
        if (mode == kLevelBars)
        {
            DrawControlLine(graphics, x, lane1 + a, x, lane1 - a, colour);
            DrawControlLine(graphics, x, lane2 + b, x, lane2 - b, colour);
        }
        else
        {
            if (mode == kBarsAndWaveform)
            {
                DrawControlLine(graphics, x, lane1, x, y1, colours.centreBars);
                DrawControlLine(graphics, x, lane2, x, y2, colours.centreBars);
            }
            DrawControlLine(graphics, x, previous1, x, y1, colour);
            DrawControlLine(graphics, x, previous2, x, y2, colour);
        }
        previous1 = y1;
        previous2 = y2;
    }
}
} // namespace Wezmark
