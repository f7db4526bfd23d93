#pragma once

#include "framework/ArgbColour.h"
#include "graphics/BitmapStrip.h"
#include "graphics/Rect.h"

#include <cstdint>

// Shared measures of the section layouts: captions and read-outs are 60 x 16 boxes unless a
// section says otherwise, and every layout divides whole pixels, truncating toward zero.
namespace EditorLayout
{
constexpr int32_t kTextWidth = 60;

// The main object's text styles by number.
enum TextStyleIndex : int
{
    kMenuStyle = 0,
    kCaptionStyle = 1,
    kCaptionLeftStyle = 2,
    kCaptionRightStyle = 3,
    kLevelStyle = 4,
    kLevelStyleAlt = 5,
    kGreenStyle = 6,
    kOrangeStyle = 7,
    kYellowStyle = 8,
    kRedStyle = 9,
    kInfoStyle = 10,
    kTitleStyle = 11,
};

constexpr int32_t kTextHeight = 16;
// The colour of a display's glass, behind a label that sits on its graph.
constexpr ArgbColour kDisplayGlass{255, 13, 17, 21};
// A colour with nothing in it: the drop-down menus draw their labels straight onto the field.
constexpr ArgbColour kNoTextBackground{0, 0, 0, 0};

inline Rect TextBox(int32_t x, int32_t y, int32_t width = kTextWidth)
{
    return {x, y, x + width, y + kTextHeight};
}

// The left edge of a switch centred under a knob whose strip starts at `knobLeft`.
inline int32_t CentredUnder(int32_t knobLeft, const BitmapStrip& knob, const BitmapStrip& button)
{
    return knobLeft + (knob.FrameWidth() - button.FrameWidth()) / 2;
}

// A caption box centred over a control `width` pixels wide that starts at `left`.
inline Rect CentredTextBox(int32_t left, int32_t width, int32_t y, int32_t boxWidth = kTextWidth)
{
    return TextBox(left + width / 2 - boxWidth / 2, y, boxWidth);
}
}
