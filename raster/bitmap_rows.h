// Row addressing for either orientation: the address of row y and the signed step between rows,
// read once per operation so the row loops make no virtual calls.
#pragma once

#include "raster/px_bitmap.h"

#include <cstddef>

class BitmapRows {
public:
    explicit BitmapRows(PX_Bitmap& bitmap) {
        const ptrdiff_t stride = static_cast<ptrdiff_t>(bitmap.RowStride()) * 4;
        char* const data = reinterpret_cast<char*>(bitmap.PixelData());
        if (bitmap.IsBottomUp()) {
            first_ = data + (static_cast<ptrdiff_t>(bitmap.Height()) - 1) * stride;
            step_ = -stride;
        } else {
            first_ = data;
            step_ = stride;
        }
    }

    PX_Pixel32* Row(ptrdiff_t y) const { return reinterpret_cast<PX_Pixel32*>(first_ + y * step_); }

private:
    char* first_;
    ptrdiff_t step_;
};
