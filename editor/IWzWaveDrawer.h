#pragma once

#include "graphics/IBitmapControl.h"

struct ScopeBuffer;
struct ScopeEntry;
class ScopeColumn;

namespace Wezmark
{
class IScopeController;

// The oscilloscope: the last entries of the scope ring, oldest at the left, input and output
// traces with the left channel in the upper lane and the right in the lower.
class IWzWaveDrawer : public IBitmapControl
{
public:
    static constexpr int kInset = 5;

    // Draw modes of the scope controller.
    static constexpr int kWaveform = 0;
    static constexpr int kBarsAndWaveform = 1;
    static constexpr int kLevelBars = 2;

    IWzWaveDrawer(IEffectBase* plug, int x, int y, const BitmapStrip* strip, IScopeController* scope,
                  const ScopeBuffer* ring);

    void OnMouseWheel(int x, int y, const MouseModifiers* mods, int notches) override;
    bool Draw(IGraphics* graphics) override;
    // Its lines are not clipped to the draw rect.
    bool DrawsOnlyWithinClip() const override { return false; }

    void SetFrame(bool frame) { mFrame = frame; }
    const Rect& ScopeRect() const { return mScopeRect; }
    int LaneScale() const { return mScale; }
    // The ring entry drawn in column k: the oldest entry first.
    static int EntryForColumn(int writePosition, int capacity, int column);

private:
    struct TraceColours
    {
        uint32_t line;
        uint32_t gap;
        uint32_t centreBars;
    };

    // One trace's walk along the columns; the first column only starts it at the centre lines.
    struct Trace
    {
        bool output;
        TraceColours colours;
        int32_t previous1;
        int32_t previous2;
    };

    void DrawTraces(IGraphics* graphics) const;
    void AddStrokes(ScopeColumn& column, Trace& trace, const ScopeEntry& entry, int mode) const;

    Rect mScopeRect;
    int32_t mScale;
    IScopeController* mScope;
    const ScopeBuffer* mRing;
    bool mFrame = false;
};
} // namespace Wezmark
