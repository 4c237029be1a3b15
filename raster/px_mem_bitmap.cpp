#include "raster/px_mem_bitmap.h"

#include "raster/px_size_limits.h"

#include <cstdlib>

namespace {

constexpr int AlignmentSlack = 63;

} // namespace

PX_MemBitmap::PX_MemBitmap(int width, int height) {
    if (width > 0 && height > 0) {
        SetSize(width, height);
    }
}

PX_MemBitmap::~PX_MemBitmap() {
    Release();
}

PX_Pixel32* PX_MemBitmap::PixelData() {
    if (buffer_ == nullptr) {
        return nullptr;
    }
    const uintptr_t aligned = (reinterpret_cast<uintptr_t>(buffer_) + 63) & ~uintptr_t{63};
    return reinterpret_cast<PX_Pixel32*>(aligned);
}

void PX_MemBitmap::Release() {
    std::free(buffer_);
    buffer_ = nullptr;
    allocated_ = 0;
}

bool PX_MemBitmap::SetSize(int width, int height) {
    if (width == width_ && height == height_) {
        return false;
    }
    width_ = width;
    height_ = height;
    // Computed wide and bounded, so a huge request fails like an allocation failure instead of
    // wrapping to a small block.
    const int64_t needed = PX_AlignedBitmapBytes(width, height);
    if (needed > 0) {
        if (buffer_ == nullptr) {
            allocated_ = static_cast<int32_t>(needed);
            buffer_ = std::malloc(static_cast<size_t>(needed) + AlignmentSlack);
        } else if (allocated_ < needed) {
            int64_t grown = needed + needed / 4;
            if (grown > PX_MAX_BITMAP_BYTES) {
                grown = needed;
            }
            void* moved = std::realloc(buffer_, static_cast<size_t>(grown) + AlignmentSlack);
            if (moved != nullptr) {
                buffer_ = moved;
                allocated_ = static_cast<int32_t>(grown);
            } else {
                std::free(buffer_);
                allocated_ = static_cast<int32_t>(needed);
                buffer_ = std::malloc(static_cast<size_t>(needed) + AlignmentSlack);
            }
        }
    } else {
        Release();
    }
    if (buffer_ == nullptr) {
        allocated_ = 0;
        width_ = 0;
        height_ = 0;
    }
    return true;
}
