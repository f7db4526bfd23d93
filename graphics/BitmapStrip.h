#pragma once

#include "graphics/Rect.h"

#include <cstdint>

class PIX_IBitmap;

// A loaded image seen as a strip of equal frames, stacked unless they lie side by side.
// The bitmap belongs to the process-wide bitmap cache; a strip never owns it. A strip whose
// image could not be loaded has a null bitmap and zero size, and draws nothing.
struct BitmapStrip
{
    PIX_IBitmap* bitmap = nullptr;
    int32_t width = 0;
    int32_t height = 0;
    int32_t frames = 1;
    bool sideBySide = false;

    int32_t FrameWidth() const { return sideBySide && frames > 0 ? width / frames : width; }
    int32_t FrameHeight() const { return !sideBySide && frames > 0 ? height / frames : height; }
    // One frame's rectangle with its top-left corner at (x, y).
    Rect FrameRectAt(int32_t x, int32_t y) const { return {x, y, x + FrameWidth(), y + FrameHeight()}; }
};
