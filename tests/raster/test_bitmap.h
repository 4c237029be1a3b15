// A bitmap for tests: either orientation, any row padding, pixels addressed by logical (x, y).
#pragma once

#include "raster/px_bitmap.h"

#include <cstddef>
#include <vector>

class TestBitmap : public PX_Bitmap {
public:
    TestBitmap(int width, int height, bool bottomUp = false, int padding = 0)
        : width_(width), height_(height), stride_(width + padding), bottomUp_(bottomUp),
          pixels_(static_cast<size_t>(stride_) * static_cast<size_t>(height)) {}

    PX_Pixel32* PixelData() override { return pixels_.empty() ? nullptr : pixels_.data(); }
    int Width() override { return width_; }
    int Height() override { return height_; }
    int RowStride() override { return stride_; }
    bool IsBottomUp() override { return bottomUp_; }
    bool SetSize(int, int) override { return false; }

    PX_Pixel32& At(int x, int y) {
        const int row = bottomUp_ ? height_ - 1 - y : y;
        return pixels_[static_cast<size_t>(row) * stride_ + x];
    }
    // Every stored word, padding included, so writes outside the rows are caught too.
    const std::vector<PX_Pixel32>& Storage() const { return pixels_; }

private:
    int width_;
    int height_;
    int stride_;
    bool bottomUp_;
    std::vector<PX_Pixel32> pixels_;
};
