#include "raster/px_mem_bitmap.h"
#include "raster/px_sys_bitmap.h"

#include <cstdint>
#include <gtest/gtest.h>

namespace {

bool Aligned64(const void* p) {
    return reinterpret_cast<uintptr_t>(p) % 64 == 0;
}

} // namespace

TEST(MemBitmap, EmptyBitmapHasNoPixelsAndNoStride) {
    PX_MemBitmap bitmap(0, 0);
    EXPECT_EQ(bitmap.PixelData(), nullptr);
    EXPECT_EQ(bitmap.Width(), 0);
    EXPECT_EQ(bitmap.Height(), 0);
    EXPECT_EQ(bitmap.RowStride(), 0);
    EXPECT_FALSE(bitmap.IsBottomUp());
    EXPECT_EQ(bitmap.DeviceContext(), nullptr);
}

TEST(MemBitmap, RowsRoundUpToFourPixelsOnA64ByteBoundary) {
    PX_MemBitmap bitmap(5, 3);
    EXPECT_EQ(bitmap.RowStride(), 8);
    EXPECT_EQ(bitmap.AllocatedBytes(), 96);
    ASSERT_NE(bitmap.PixelData(), nullptr);
    EXPECT_TRUE(Aligned64(bitmap.PixelData()));
    // The whole area is writable.
    for (int i = 0; i < 8 * 3; ++i) {
        bitmap.PixelData()[i] = 0xFFFFFFFF;
    }
}

TEST(MemBitmap, GrowsByAQuarterAndNeverShrinks) {
    PX_MemBitmap bitmap(100, 10);
    EXPECT_EQ(bitmap.AllocatedBytes(), 4000);
    EXPECT_TRUE(bitmap.SetSize(100, 11));
    EXPECT_EQ(bitmap.AllocatedBytes(), 5500);
    EXPECT_TRUE(Aligned64(bitmap.PixelData()));
    EXPECT_TRUE(bitmap.SetSize(100, 10));
    EXPECT_EQ(bitmap.AllocatedBytes(), 5500);
    EXPECT_EQ(bitmap.Height(), 10);
}

TEST(MemBitmap, SettingTheCurrentSizeReportsNoChange) {
    PX_MemBitmap bitmap(7, 7);
    EXPECT_FALSE(bitmap.SetSize(7, 7));
}

TEST(MemBitmap, EmptySizeReleasesTheBlock) {
    PX_MemBitmap bitmap(7, 7);
    EXPECT_TRUE(bitmap.SetSize(0, 7));
    EXPECT_EQ(bitmap.PixelData(), nullptr);
    EXPECT_EQ(bitmap.Width(), 0);
    EXPECT_EQ(bitmap.Height(), 0);
    EXPECT_EQ(bitmap.AllocatedBytes(), 0);
}

TEST(MemBitmap, SizeWhoseByteCountOverflowsFailsCleanly) {
    // 32768 x 32769 pixels are 2^32 + 131072 bytes: a 32-bit count would wrap to 131072.
    PX_MemBitmap bitmap(4, 4);
    EXPECT_TRUE(bitmap.SetSize(32768, 32769));
    EXPECT_EQ(bitmap.PixelData(), nullptr);
    EXPECT_EQ(bitmap.Width(), 0);
    EXPECT_EQ(bitmap.Height(), 0);
    PX_MemBitmap huge(INT32_MAX, INT32_MAX);
    EXPECT_EQ(huge.PixelData(), nullptr);
    EXPECT_EQ(huge.Width(), 0);
}

TEST(SysBitmap, SmallerSizeKeepsTheStorageAndItsStride) {
    PX_SysBitmap bitmap(10, 10);
    PX_Pixel32* const pixels = bitmap.PixelData();
    ASSERT_NE(pixels, nullptr);
    EXPECT_EQ(bitmap.RowStride(), 12);
    EXPECT_TRUE(bitmap.SetSize(5, 5));
    EXPECT_EQ(bitmap.PixelData(), pixels);
    EXPECT_EQ(bitmap.RowStride(), 12);
    EXPECT_EQ(bitmap.Width(), 5);
    EXPECT_TRUE(bitmap.SetSize(13, 5));
    EXPECT_EQ(bitmap.RowStride(), 16);
    EXPECT_EQ(bitmap.Width(), 13);
    ASSERT_NE(bitmap.PixelData(), nullptr);
    for (int i = 0; i < 16 * 5; ++i) {
        bitmap.PixelData()[i] = 0;
    }
}

TEST(SysBitmap, SettingTheCurrentSizeReportsNoChange) {
    PX_SysBitmap bitmap(9, 4);
    EXPECT_FALSE(bitmap.SetSize(9, 4));
}

TEST(SysBitmap, EmptySizeReleasesTheStorage) {
    PX_SysBitmap bitmap(8, 8);
    EXPECT_FALSE(bitmap.SetSize(0, 7));
    EXPECT_EQ(bitmap.PixelData(), nullptr);
    EXPECT_TRUE(bitmap.SetSize(3, 3));
    EXPECT_NE(bitmap.PixelData(), nullptr);
    EXPECT_EQ(bitmap.RowStride(), 4);
}

TEST(SysBitmap, NegativeSizeLeavesAnEmptyBitmap) {
    PX_SysBitmap bitmap(8, 8);
    bitmap.SetSize(5, -3);
    EXPECT_EQ(bitmap.PixelData(), nullptr);
    EXPECT_EQ(bitmap.Width(), 0);
    EXPECT_EQ(bitmap.Height(), 0);
}

TEST(SysBitmap, SizeWhoseByteCountOverflowsFailsCleanly) {
    PX_SysBitmap bitmap(4, 4);
    EXPECT_TRUE(bitmap.SetSize(32768, 32769));
    EXPECT_EQ(bitmap.PixelData(), nullptr);
    EXPECT_EQ(bitmap.Width(), 0);
    EXPECT_EQ(bitmap.Height(), 0);
}
