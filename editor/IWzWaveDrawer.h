#pragma once

#include "graphics/IBitmapControl.h"

#include <atomic>
#include <vector>

struct ScopeBuffer;
struct ScopeEntry;
class ScopeColumn;

namespace Wezmark
{
class IScopeController;

// The oscilloscope: the last entries of the scope ring, oldest at the left, input and output
// traces with the left channel in the upper lane and the right in the lower.
//
// A new frame repaints only the rows the old and the new traces cover, per lane and per band
// of columns: most of the display is grid and background that stays as it is.
class IWzWaveDrawer : public IBitmapControl
{
public:
    static constexpr int kInset = 5;
    static constexpr int kBandColumns = 32;

    // Draw modes of the scope controller.
    static constexpr int kWaveform = 0;
    static constexpr int kBarsAndWaveform = 1;
    static constexpr int kLevelBars = 2;

    IWzWaveDrawer(IEffectBase* plug, int x, int y, const BitmapStrip* strip, IScopeController* scope,
                  const ScopeBuffer* ring);

    void OnMouseWheel(int x, int y, const MouseModifiers* mods, int notches) override;
    bool Draw(IGraphics* graphics) override;
    void AddRedrawArea(DirtyArea* area) const override;
    void Hide(bool hide) override;
    // Only the frame outline is drawn whole, whatever the draw rect.
    bool DrawsOnlyWithinClip() const override { return !mFrame; }

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

    // Rows from top to bottom, both included; none while top > bottom.
    struct Rows
    {
        int32_t top = 1;
        int32_t bottom = 0;

        bool IsEmpty() const { return top > bottom; }
        void Include(int32_t y1, int32_t y2);
        void Include(const Rows& other);
    };

    // The rows the traces cover in each band of columns and each lane, band by band.
    using TraceRows = std::vector<Rows>;

    static constexpr int kLanes = 2;

    int BandCount() const;
    Rect CellRect(int cell, const Rows& rows) const;
    // Walks the traces column by column as the ring holds them now: the rows they cover, and
    // with a graphics, paints them within its draw rect.
    TraceRows WalkTraces(IGraphics* graphics) const;
    void AddStrokes(ScopeColumn& column, Rows (&lanes)[kLanes], Trace& trace, const ScopeEntry& entry, int mode) const;
    void DrawCentreLines(IGraphics* graphics, const Rect& clip) const;

    Rect mScopeRect;
    int32_t mScale;
    IScopeController* mScope;
    const ScopeBuffer* mRing;
    bool mFrame = false;
    // What the display shows of the traces, per cell; may hold more than that, never less.
    TraceRows mShown;
    // Set while the whole display must be painted: before its first draw, and once hidden.
    std::atomic<bool> mWholeDue{true};
};
} // namespace Wezmark
