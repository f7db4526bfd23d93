#include "graphics/PIX_MemBitmap.h"

#include <gtest/gtest.h>

#include <cstdint>

TEST(PIX_MemBitmap, RowsArePaddedToFourPixelsAndAligned)
{
    PIX_MemBitmap bitmap;
    EXPECT_EQ(bitmap.GetPixelData(), nullptr);
    EXPECT_TRUE(bitmap.SetSize(5, 3));
    EXPECT_EQ(bitmap.GetRowStride(), 8);
    EXPECT_EQ(reinterpret_cast<uintptr_t>(bitmap.GetPixelData()) % 64, 0u);
    EXPECT_FALSE(bitmap.IsBottomUp());
    EXPECT_EQ(bitmap.GetDeviceContext(), nullptr);
}

TEST(PIX_MemBitmap, GrowsWithHeadroomAndNeverShrinks)
{
    PIX_MemBitmap bitmap;
    bitmap.SetSize(100, 10);
    EXPECT_EQ(bitmap.GetCapacity(), 4000);
    EXPECT_FALSE(bitmap.SetSize(100, 10));

    EXPECT_TRUE(bitmap.SetSize(101, 10));
    EXPECT_EQ(bitmap.GetCapacity(), 5200);
    EXPECT_EQ(bitmap.GetRowStride(), 104);
    // The last pixel of the grown size is writable (ASan checks the allocation).
    bitmap.GetPixelData()[104 * 10 - 1] = 1;

    const uint32_t* before = bitmap.GetPixelData();
    EXPECT_TRUE(bitmap.SetSize(100, 10));
    EXPECT_EQ(bitmap.GetCapacity(), 5200);
    EXPECT_EQ(bitmap.GetPixelData(), before);
}

TEST(PIX_MemBitmap, SizesWithoutAreaOrTooLargeLeaveAnEmptyBitmap)
{
    struct Case
    {
        int32_t width;
        int32_t height;
    };
    // The large ones would wrap a 32-bit byte count into a small or negative number.
    const Case cases[] = {{0, 50}, {50, 0}, {-4, 10}, {10, -4}, {65536, 65536}, {0x7FFFFFFF, 1}, {1, 0x7FFFFFFF},
                          {46341, 46341}, {0x40000000, 2}};
    for (const Case& c : cases)
    {
        PIX_MemBitmap bitmap;
        bitmap.SetSize(8, 8);
        EXPECT_TRUE(bitmap.SetSize(c.width, c.height)) << c.width << " x " << c.height;
        EXPECT_EQ(bitmap.GetWidth(), 0);
        EXPECT_EQ(bitmap.GetHeight(), 0);
        EXPECT_EQ(bitmap.GetPixelData(), nullptr);
        EXPECT_EQ(bitmap.GetCapacity(), 0);
    }
}
