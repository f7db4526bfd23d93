#pragma once

#include "graphics/PIX_MemBitmap.h"

#include <cstdint>
#include <vector>

// A memory bitmap filled with one value, padding columns included, so tests can check that
// nothing is written outside the drawn area.
inline void FillWhole(PIX_MemBitmap& bitmap, uint32_t value)
{
    uint32_t* p = bitmap.GetPixelData();
    const int64_t count = int64_t{bitmap.GetRowStride()} * bitmap.GetHeight();
    for (int64_t i = 0; i < count; ++i)
        p[i] = value;
}

struct TestBitmap : PIX_MemBitmap
{
    TestBitmap(int32_t width, int32_t height, uint32_t value = 0)
    {
        SetSize(width, height);
        FillWhole(*this, value);
    }
    // Visible pixels `value`, padding columns `padding`.
    TestBitmap(int32_t width, int32_t height, uint32_t value, uint32_t padding)
        : TestBitmap(width, height, padding)
    {
        for (int32_t y = 0; y < height; ++y)
            for (int32_t x = 0; x < width; ++x)
                At(x, y) = value;
    }
    // Addressed by stored row.
    uint32_t& At(int32_t x, int32_t y) { return GetPixelData()[int64_t{y} * GetRowStride() + x]; }
    // The pixels of the visible rows top to bottom, then the padding columns of every row.
    std::vector<uint32_t> Padding()
    {
        std::vector<uint32_t> out;
        for (int32_t y = 0; y < GetHeight(); ++y)
            for (int32_t x = GetWidth(); x < GetRowStride(); ++x)
                out.push_back(At(x, y));
        return out;
    }
};

// Stores its rows bottom-up.
struct BottomUpBitmap : TestBitmap
{
    using TestBitmap::TestBitmap;
    bool IsBottomUp() override { return true; }
};
