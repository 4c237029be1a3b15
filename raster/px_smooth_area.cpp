#include "raster/px_smooth_area.h"

#include "raster/bitmap_rows.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>

namespace {

// Per-channel fractions of a whole word; each term is truncated on its own, so no carry can
// cross into the next channel (the largest sum of terms is 253).
inline PX_Pixel32 Half(PX_Pixel32 p) {
    return (p >> 1) & 0x7F7F7F7Fu;
}
inline PX_Pixel32 Quarter(PX_Pixel32 p) {
    return (p >> 2) & 0x3F3F3F3Fu;
}
inline PX_Pixel32 Eighth(PX_Pixel32 p) {
    return (p >> 3) & 0x1F1F1F1Fu;
}

// One output row from the unsmoothed rows above, at and below it (above or below is null at the
// area's top or bottom edge, where the other vertical neighbour weighs a quarter).
void SmoothRow(PX_Pixel32* out, const PX_Pixel32* up, const PX_Pixel32* row, const PX_Pixel32* down,
               int width) {
    const int last = width - 1;
    if (up != nullptr && down != nullptr) {
        out[0] = Half(row[0]) + Eighth(up[0]) + Eighth(down[0]) + Quarter(row[1]);
        for (int x = 1; x < last; ++x) {
            out[x] = Half(row[x]) + Eighth(row[x - 1]) + Eighth(row[x + 1]) + Eighth(up[x]) +
                     Eighth(down[x]);
        }
        out[last] =
            Half(row[last]) + Eighth(up[last]) + Eighth(down[last]) + Quarter(row[last - 1]);
        return;
    }
    const PX_Pixel32* vertical = up != nullptr ? up : down;
    out[0] = Half(row[0]) + Quarter(vertical[0]) + Quarter(row[1]);
    for (int x = 1; x < last; ++x) {
        out[x] = Half(row[x]) + Quarter(vertical[x]) + Eighth(row[x - 1]) + Eighth(row[x + 1]);
    }
    out[last] = Half(row[last]) + Quarter(vertical[last]) + Quarter(row[last - 1]);
}

constexpr int kFixedRowPixels = 1024;

} // namespace

void PX_SmoothArea(PX_Bitmap* dest, PX_Bitmap* src, int width, int height) {
    if (dest == nullptr || src == nullptr) {
        return;
    }
    width = std::min(width, src->Width());
    height = std::min(height, src->Height());
    if (width < 1 || height < 1 || dest->Width() < 1 || dest->Height() < 1) {
        return;
    }
    width = std::min(width, dest->Width());
    height = std::min(height, dest->Height());
    if (width < 2 || height < 2 || dest->PixelData() == nullptr || src->PixelData() == nullptr) {
        return;
    }
    const BitmapRows destRows(*dest);
    const BitmapRows srcRows(*src);
    const size_t rowBytes = static_cast<size_t>(width) * sizeof(PX_Pixel32);

    if (dest != src) {
        for (int y = 0; y < height; ++y) {
            SmoothRow(destRows.Row(y), y > 0 ? srcRows.Row(y - 1) : nullptr, srcRows.Row(y),
                      y + 1 < height ? srcRows.Row(y + 1) : nullptr, width);
        }
        return;
    }

    // In place: each source row is saved into alternating halves of a two-row copy before its
    // smoothed values overwrite it, so every output reads unsmoothed pixels.
    PX_Pixel32 fixed[2 * kFixedRowPixels];
    PX_Pixel32* heap = nullptr;
    PX_Pixel32* saved = fixed;
    if (width > kFixedRowPixels) {
        heap = static_cast<PX_Pixel32*>(std::malloc(2 * rowBytes));
        if (heap == nullptr) {
            return;
        }
        saved = heap;
    }
    for (int y = 0; y < height; ++y) {
        PX_Pixel32* current = saved + (y & 1) * width;
        const PX_Pixel32* above = y > 0 ? saved + ((y - 1) & 1) * width : nullptr;
        std::memcpy(current, srcRows.Row(y), rowBytes);
        SmoothRow(destRows.Row(y), above, current, y + 1 < height ? srcRows.Row(y + 1) : nullptr,
                  width);
    }
    std::free(heap);
}
