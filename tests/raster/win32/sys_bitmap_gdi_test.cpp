// The system bitmap is a top-down DIB that GDI draws into through its own device context.
#include "raster/px_sys_bitmap.h"

#include <gtest/gtest.h>
#include <windows.h>

TEST(SysBitmapGdi, GdiDrawsIntoThePixelsTopDown) {
    PX_SysBitmap bitmap(7, 5);
    HDC dc = static_cast<HDC>(bitmap.DeviceContext());
    ASSERT_NE(dc, nullptr);
    ASSERT_NE(bitmap.PixelData(), nullptr);
    for (int i = 0; i < bitmap.RowStride() * 5; ++i) {
        bitmap.PixelData()[i] = 0;
    }
    SetPixelV(dc, 2, 1, RGB(255, 0, 0));
    GdiFlush();
    EXPECT_EQ(bitmap.PixelData()[1 * bitmap.RowStride() + 2] & 0x00FFFFFF, 0x00FF0000u);
    EXPECT_EQ(bitmap.PixelData()[3 * bitmap.RowStride() + 2], 0u);
}

TEST(SysBitmapGdi, GrowingReplacesTheSectionInTheDeviceContext) {
    PX_SysBitmap bitmap(4, 4);
    HDC dc = static_cast<HDC>(bitmap.DeviceContext());
    ASSERT_TRUE(bitmap.SetSize(40, 30));
    HGDIOBJ selected = GetCurrentObject(dc, OBJ_BITMAP);
    BITMAP info{};
    ASSERT_NE(GetObjectA(selected, sizeof(info), &info), 0);
    EXPECT_EQ(info.bmWidth, 40);
    EXPECT_EQ(info.bmHeight, 30);
    EXPECT_EQ(info.bmBitsPixel, 32);
}
