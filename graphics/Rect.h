#pragma once

#include <algorithm>
#include <cstdint>

// A rectangle in editor pixels; right and bottom are exclusive. The all-zero rectangle
// stands for "nothing".
struct Rect
{
    int32_t left = 0;
    int32_t top = 0;
    int32_t right = 0;
    int32_t bottom = 0;

    bool IsEmpty() const { return left == 0 && top == 0 && right == 0 && bottom == 0; }
    int32_t Width() const { return right - left; }
    int32_t Height() const { return bottom - top; }

    // The framework's overlap test: a rectangle that only touches another's right or bottom
    // edge counts as meeting it, so a redraw at a control's edge still repaints the control.
    bool Meets(const Rect& other) const
    {
        return other.right >= left && other.left < right && other.bottom >= top && other.top < bottom;
    }

    Rect Intersection(const Rect& other) const
    {
        return {std::max(left, other.left), std::max(top, other.top), std::min(right, other.right),
                std::min(bottom, other.bottom)};
    }

    Rect Union(const Rect& other) const
    {
        return {std::min(left, other.left), std::min(top, other.top), std::max(right, other.right),
                std::max(bottom, other.bottom)};
    }

    bool Contains(int32_t x, int32_t y) const { return left <= x && x < right && top <= y && y < bottom; }

    bool operator==(const Rect&) const = default;
};
