#include "raster/px_fill_area.h"

#include "raster/bitmap_rows.h"
#include "raster/blend_weight.h"
#include "raster/fill_kernels.h"

#include <algorithm>

void PX_FillArea(PX_Bitmap* dest, int x, int y, int width, int height, PX_Pixel32 colour,
                 float alpha, int mode) {
    if (dest == nullptr) {
        return;
    }
    if ((mode & PX_COMBINE_SOURCE_ALPHA) != 0) {
        alpha = alpha * (static_cast<float>(colour >> 24) / 255.0f);
    }
    // Wide arithmetic: a negative position cannot overflow the width.
    int64_t left = x, top = y, w = width, h = height;
    if (left < 0) {
        w += left;
        left = 0;
    }
    if (top < 0) {
        h += top;
        top = 0;
    }
    if (alpha == 0.0f || dest->PixelData() == nullptr || dest->RowStride() == 0 || w <= 0 ||
        h <= 0 || left >= dest->Width() || top >= dest->Height()) {
        return;
    }
    const int cols = static_cast<int>(std::min<int64_t>(w, dest->Width() - left));
    const int rows = static_cast<int>(std::min<int64_t>(h, dest->Height() - top));
    const int ia = BlendWeight(alpha);
    if (ia == 0) {
        return;
    }
    const FillRowKernel kernel = SelectFillKernel(mode, ia);
    if (kernel == nullptr) {
        return;
    }
    const BitmapRows rowsOf(*dest);
    for (int row = 0; row < rows; ++row) {
        kernel(rowsOf.Row(top + row) + left, cols, colour, ia);
    }
}
