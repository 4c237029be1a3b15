// Limits on bitmap sizes: every byte count stays within a signed 32-bit int, so no size
// computation can wrap, and decoders refuse images larger than any editor would use.
#pragma once

#include <cstdint>

// Largest pixel block a bitmap may hold, leaving room for the alignment slack of a heap block.
constexpr int64_t PX_MAX_BITMAP_BYTES = INT32_MAX - 64;

// Decoded images: each side at most 65536 pixels and at most 16 Mpixel (64 MiB) in all. The area
// bounds the memory; the side only has to fit a knob strip of 120 frames at twice the editor's
// size (the Time knob's is 290 x 34800).
constexpr int64_t PX_MAX_IMAGE_SIDE = 65536;
constexpr int64_t PX_MAX_IMAGE_PIXELS = int64_t{16} * 1024 * 1024;

// Bytes of a bitmap whose rows are rounded up to 4 pixels, or -1 when either side is below 1 or
// the block would exceed PX_MAX_BITMAP_BYTES.
inline int64_t PX_AlignedBitmapBytes(int width, int height) {
    if (width < 1 || height < 1) {
        return -1;
    }
    const int64_t stride = (int64_t{width} + 3) & ~int64_t{3};
    if (stride > PX_MAX_BITMAP_BYTES / 4 / height) {
        return -1;
    }
    return stride * height * 4;
}
