#pragma once

#include <cstdint>
#include <string>

class PIX_IFont;

// A text wider than its rectangle would run into its neighbours: it is cut at a character
// and ends in an ellipsis inside the width it has.
namespace TextFit
{
constexpr char kEllipsis[] = "...";

// The width `text` takes in `font` with the format flags it is drawn with.
int32_t Width(PIX_IFont* font, const char* text, int32_t length, uint32_t flags);

// True when `text` is wider than `width`; `fitted` then holds the longest start of it
// (trailing blanks dropped) that fits with the ellipsis after it, or the ellipsis alone.
bool Shorten(PIX_IFont* font, const char* text, int32_t width, uint32_t flags, std::string* fitted);
}
