#pragma once
// What one control's drawing puts on screen: the pixels it changes on a blank surface.

#include "graphics/IGraphics.h"
#include "graphics/Rect.h"

#include <cstdint>
#include <string>
#include <vector>

struct Ink
{
    Rect bounds;
    std::vector<int> pixels;        // y * width + x
    std::vector<uint32_t> colours;  // what the drawing left at each of them
};

// Draws the control alone on a blank draw surface and collects what changed (only within
// `area` when one is given).
Ink InkOf(IGraphics& graphics, IControl* control, const Rect* area = nullptr);

bool Inside(const Rect& inner, const Rect& outer);
std::string Describe(const Rect& r);
