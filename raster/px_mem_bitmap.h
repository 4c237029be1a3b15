// A bitmap in heap memory: 64-byte aligned pixel data, rows rounded up to 4 pixels, storage that
// grows by a quarter beyond the need and never shrinks until the bitmap is emptied.
#pragma once

#include "raster/px_bitmap.h"

class PX_MemBitmap : public PX_Bitmap {
public:
    explicit PX_MemBitmap(int width = 0, int height = 0);
    ~PX_MemBitmap() override;
    PX_MemBitmap(const PX_MemBitmap&) = delete;
    PX_MemBitmap& operator=(const PX_MemBitmap&) = delete;

    PX_Pixel32* PixelData() override;
    int Width() override { return width_; }
    int Height() override { return height_; }
    int RowStride() override { return (width_ + alignmentMask_) & ~alignmentMask_; }
    bool SetSize(int width, int height) override;

    // Usable bytes of the block (without the alignment slack).
    int AllocatedBytes() const { return allocated_; }

private:
    void Release();

    void* buffer_ = nullptr;
    int32_t width_ = 0;
    int32_t height_ = 0;
    int32_t allocated_ = 0;
    int32_t alignmentMask_ = 3;
};
