#pragma once

#include <cstdint>
#include <limits>

// When the block routine marks the oscilloscope for a redraw: once the ring has changed, and no
// sooner than a scope frame after the last mark, counted in audio frames. The scope then
// scrolls at a steady pace of its own, half the editor's redraw rate, and a frozen ring, whose
// picture cannot change, is not drawn again at all.
class ScopeRedrawPace
{
public:
    static constexpr double kFrameSeconds = 0.08;

    // A block of `frames` went by, which changed the ring or not; true when the scope is due.
    bool Advance(int32_t frames, bool ringChanged, double sampleRate);

private:
    // Audio frames since the last mark; the first change is drawn at once.
    double mSinceMark = std::numeric_limits<double>::infinity();
    bool mChanged = false;
};
