#include "raster/px_blit_rect.h"

#include "raster/bitmap_rows.h"
#include "raster/blend_weight.h"
#include "raster/blit_kernels.h"

#include <algorithm>
#include <cstring>

namespace {

// The part of the source that lands inside the destination, computed wide so that no
// combination of positions and rectangle edges can overflow.
struct BlitArea {
    int64_t srcX;
    int64_t srcY;
    int64_t dstX;
    int64_t dstY;
    int cols;
    int rows;
};

bool ClipBlit(PX_Bitmap& dest, PX_Bitmap& src, int dstX, int dstY, const PX_Rect* srcRect,
              BlitArea& area) {
    int64_t sx = 0, sy = 0;
    int64_t dx = dstX, dy = dstY;
    int64_t srcRight = src.Width();
    int64_t srcBottom = src.Height();
    if (srcRect != nullptr) {
        srcRight = std::min<int64_t>(srcRect->right, srcRight);
        srcBottom = std::min<int64_t>(srcRect->bottom, srcBottom);
        sx = srcRect->left;
        sy = srcRect->top;
        if (sx < 0) {
            dx -= sx;
            sx = 0;
        }
        if (sy < 0) {
            dy -= sy;
            sy = 0;
        }
    }
    if (dx < 0) {
        sx -= dx;
        dx = 0;
    }
    if (dy < 0) {
        sy -= dy;
        dy = 0;
    }
    const int64_t destWidth = dest.Width();
    const int64_t destHeight = dest.Height();
    if (sx >= srcRight || sy >= srcBottom || dx >= destWidth || dy >= destHeight) {
        return false;
    }
    const int64_t right = std::min(destWidth + sx - dx, srcRight);
    const int64_t bottom = std::min(sy + destHeight - dy, srcBottom);
    if (sx >= right || sy >= bottom) {
        return false;
    }
    area = BlitArea{sx, sy, dx, dy, static_cast<int>(right - sx), static_cast<int>(bottom - sy)};
    return dest.PixelData() != nullptr && src.PixelData() != nullptr;
}

template <typename RowOp>
void ForEachRow(PX_Bitmap& dest, PX_Bitmap& src, const BlitArea& area, RowOp op) {
    const BitmapRows destRows(dest);
    const BitmapRows srcRows(src);
    for (int y = 0; y < area.rows; ++y) {
        op(destRows.Row(area.dstY + y) + area.dstX, srcRows.Row(area.srcY + y) + area.srcX);
    }
}

} // namespace

void PX_BlitRect(PX_Bitmap* dest, PX_Bitmap* src, int dstX, int dstY, const PX_Rect* srcRect,
                 float alpha, int mode) {
    if (dest == nullptr || src == nullptr || alpha == 0.0f) {
        return;
    }
    BlitArea area{};
    if (!ClipBlit(*dest, *src, dstX, dstY, srcRect, area)) {
        return;
    }
    const int cols = area.cols;
    if ((mode & PX_COMBINE_MODE_MASK) >= PX_COMBINE_CHANNEL_COPY) {
        const int from = mode & 3;
        const int to = (mode >> 2) & 3;
        ForEachRow(*dest, *src, area, [=](PX_Pixel32* d, const PX_Pixel32* s) {
            ChannelCopyRow(d, s, cols, from, to);
        });
        return;
    }
    if ((mode & 0x100FF) == 0 && alpha == 1.0f) {
        const size_t bytes = static_cast<size_t>(cols) * sizeof(PX_Pixel32);
        if (dest == src) {
            // Rows of one bitmap may overlap.
            ForEachRow(*dest, *src, area,
                       [=](PX_Pixel32* d, const PX_Pixel32* s) { std::memmove(d, s, bytes); });
        } else {
            ForEachRow(*dest, *src, area,
                       [=](PX_Pixel32* d, const PX_Pixel32* s) { std::memcpy(d, s, bytes); });
        }
        return;
    }
    if ((mode & 0x100FF) == 0 && alpha == 0.5f) {
        ForEachRow(*dest, *src, area,
                   [=](PX_Pixel32* d, const PX_Pixel32* s) { HalfMixRow(d, s, cols); });
        return;
    }
    const int ia = BlendWeight(alpha);
    if (ia == 0) {
        return;
    }
    const BlitRowKernel kernel = SelectBlitKernel(mode, ia);
    if (kernel == nullptr) {
        return;
    }
    ForEachRow(*dest, *src, area,
               [=](PX_Pixel32* d, const PX_Pixel32* s) { kernel(d, s, cols, ia); });
}
