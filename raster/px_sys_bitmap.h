// A bitmap the system can draw into: on Windows a top-down 32-bit DIB section selected into its
// own memory device context; elsewhere plain memory under the same sizing and stride rules, with
// no device context. The storage is replaced only when a size does not fit the allocated one.
#pragma once

#include "raster/px_bitmap.h"

class PX_SysBitmap : public PX_Bitmap {
public:
    explicit PX_SysBitmap(int width = 0, int height = 0);
    ~PX_SysBitmap() override;
    PX_SysBitmap(const PX_SysBitmap&) = delete;
    PX_SysBitmap& operator=(const PX_SysBitmap&) = delete;

    PX_Pixel32* PixelData() override { return pixels_; }
    int Width() override { return width_; }
    int Height() override { return height_; }
    int RowStride() override { return allocatedWidth_; }
    bool SetSize(int width, int height) override;
    PX_DeviceContext DeviceContext() override { return deviceContext_; }

private:
    // Windows: a bitmap without a device context can hold nothing. Elsewhere there is none.
    static bool StorageNeedsDeviceContext();
    bool HasStorage() const { return pixels_ != nullptr; }
    bool CreateStorage();
    void ReleaseStorage();

    int32_t width_ = 0;
    int32_t height_ = 0;
    PX_DeviceContext deviceContext_ = nullptr;
    PX_Pixel32* pixels_ = nullptr;
    int32_t allocatedWidth_ = 0;
    int32_t allocatedHeight_ = 0;
    void* section_ = nullptr;        // HBITMAP on Windows, the heap block elsewhere
    void* previousObject_ = nullptr; // what the device context held before the section
};
