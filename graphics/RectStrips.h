#pragma once

#include "graphics/Rect.h"

// An area with a hole inside it as up to four strips: above, below, left and right of the hole.
// Returns how many strips are not empty; those come first.
inline constexpr int kMostStripsAround = 4;
int StripsAround(const Rect& area, const Rect& hole, Rect (&strips)[kMostStripsAround]);
