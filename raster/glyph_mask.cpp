#include "raster/glyph_mask.h"

#include "raster/bitmap_rows.h"

#include <algorithm>
#include <cstring>
#include <new>
#include <vector>

namespace {

constexpr uint8_t Full = 255;
constexpr uint8_t Edge = 128;

// Whether the byte at (x, y) is full; positions outside the mask are not.
bool FullAt(const uint8_t* mask, int width, int height, int x, int y) {
    return x >= 0 && y >= 0 && x < width && y < height &&
           mask[static_cast<size_t>(y) * width + x] == Full;
}

// Marks every empty byte that has a full neighbour among the given offsets. Full bytes never
// change, so marks written earlier in the same pass cannot spread.
template <size_t N>
void MarkNextToFull(uint8_t* mask, int width, int height, const int (&dx)[N], const int (&dy)[N]) {
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            uint8_t& byte = mask[static_cast<size_t>(y) * width + x];
            if (byte != 0) {
                continue;
            }
            for (size_t i = 0; i < N; ++i) {
                if (FullAt(mask, width, height, x + dx[i], y + dy[i])) {
                    byte = Edge;
                    break;
                }
            }
        }
    }
}

} // namespace

int TakeCoverage(PX_Bitmap& image, int advance, int boxWidth, int boxHeight, bool invert,
                 uint8_t* mask) {
    const BitmapRows rows(image);
    int used = advance;
    for (int y = 0; y < boxHeight; ++y) {
        const PX_Pixel32* pixel = rows.Row(y);
        uint8_t* out = mask + static_cast<size_t>(y) * boxWidth;
        for (int x = 0; x < boxWidth; ++x) {
            const uint8_t red = static_cast<uint8_t>(pixel[x] >> 16);
            out[x] = invert ? static_cast<uint8_t>(255 - red) : red;
            if (red != 0 && x >= used) {
                used = x + 1;
            }
        }
    }
    return used;
}

void CompactMask(uint8_t* mask, int fromWidth, int toWidth, int height) {
    for (int y = 1; y < height; ++y) {
        std::memmove(mask + static_cast<size_t>(y) * toWidth,
                     mask + static_cast<size_t>(y) * fromWidth, static_cast<size_t>(toWidth));
    }
}

bool RotateMask(uint8_t* mask, int& width, int& height, bool counterClockwise) {
    const size_t bytes = static_cast<size_t>(width) * height;
    std::vector<uint8_t> old;
    try {
        old.assign(mask, mask + bytes);
    } catch (const std::bad_alloc&) {
        return false;
    }
    // The new mask is height wide and width high; new row k, column l comes from
    // clockwise: old row (height - 1 - l), column k; counter-clockwise: old row l, column
    // (width - 1 - k).
    const int newWidth = height;
    const int newHeight = width;
    for (int k = 0; k < newHeight; ++k) {
        for (int l = 0; l < newWidth; ++l) {
            const int oldRow = counterClockwise ? l : height - 1 - l;
            const int oldColumn = counterClockwise ? width - 1 - k : k;
            mask[static_cast<size_t>(k) * newWidth + l] =
                old[static_cast<size_t>(oldRow) * width + oldColumn];
        }
    }
    width = newWidth;
    height = newHeight;
    return true;
}

void ThresholdMask(uint8_t* mask, int width, int height) {
    const size_t bytes = static_cast<size_t>(width) * height;
    for (size_t i = 0; i < bytes; ++i) {
        mask[i] = mask[i] > 130 ? Full : 0;
    }
}

void AddShadow(uint8_t* mask, int width, int height) {
    static const int dx[] = {-1, -1, 0};
    static const int dy[] = {0, -1, -1};
    MarkNextToFull(mask, width, height, dx, dy);
}

void AddOutline(uint8_t* mask, int width, int height) {
    static const int dx[] = {0, 0, -1, 1};
    static const int dy[] = {-1, 1, 0, 0};
    MarkNextToFull(mask, width, height, dx, dy);
}
