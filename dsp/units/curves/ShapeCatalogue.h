#pragma once

#include <cstdint>
#include <span>

// The display names of the 81 built-in curve shapes and the categories of the shape menu.
constexpr uint32_t kShapeCount = 81;

// "Linear" for 0 up to "Thrashcore/VRN" for 80; "Distortion" above 80.
const char* GetDistortionShapeName(uint32_t index);

// A contiguous range of shape indexes under one menu heading; the first category is the root of
// the menu, the others are its submenus. Together they cover 0..80 once, in order.
struct ShapeCategoryRange
{
    const char* name;
    uint32_t first;
    uint32_t last;
};

std::span<const ShapeCategoryRange> ShapeCategories();
