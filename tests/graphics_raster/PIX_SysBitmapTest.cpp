#include "graphics/win32/PIX_SysBitmap.h"

#include <gtest/gtest.h>

TEST(PIX_SysBitmap, KeepsItsSectionWhileTheNewSizeFits)
{
    PIX_SysBitmap bitmap(200, 100);
    ASSERT_NE(bitmap.GetPixelData(), nullptr);
    ASSERT_NE(bitmap.GetDeviceContext(), nullptr);
    EXPECT_EQ(bitmap.GetRowStride(), 200);
    EXPECT_FALSE(bitmap.SetSize(200, 100));

    uint32_t* const first = bitmap.GetPixelData();
    EXPECT_TRUE(bitmap.SetSize(150, 80));
    EXPECT_EQ(bitmap.GetWidth(), 150);
    EXPECT_EQ(bitmap.GetRowStride(), 200);
    EXPECT_EQ(bitmap.GetPixelData(), first);

    EXPECT_TRUE(bitmap.SetSize(150, 120));
    EXPECT_EQ(bitmap.GetRowStride(), 152);
    // The last pixel of the new section is writable.
    bitmap.GetPixelData()[152 * 120 - 1] = 0xFFFFFFFF;

    EXPECT_FALSE(bitmap.SetSize(0, 0));
    EXPECT_EQ(bitmap.GetWidth(), 0);
    EXPECT_EQ(bitmap.GetHeight(), 0);
    EXPECT_EQ(bitmap.GetPixelData(), nullptr);
}

TEST(PIX_SysBitmap, HugeSizesGiveNoSection)
{
    PIX_SysBitmap bitmap(0x7FFFFFFF, 0x7FFFFFFF);
    EXPECT_EQ(bitmap.GetPixelData(), nullptr);
    EXPECT_EQ(bitmap.GetWidth() * int64_t{bitmap.GetHeight()}, 0);
}
