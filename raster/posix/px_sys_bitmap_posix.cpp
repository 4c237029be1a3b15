// Without GDI the system bitmap is aligned heap memory with the DIB section's sizing rules:
// rows a multiple of 4 pixels, top-down, reused for every size that fits.
#include "raster/px_size_limits.h"
#include "raster/px_sys_bitmap.h"

#include <cstdlib>

bool PX_SysBitmap::StorageNeedsDeviceContext() {
    return false;
}

PX_SysBitmap::PX_SysBitmap(int width, int height) {
    SetSize(width, height);
}

PX_SysBitmap::~PX_SysBitmap() {
    ReleaseStorage();
}

void PX_SysBitmap::ReleaseStorage() {
    std::free(section_);
    section_ = nullptr;
    pixels_ = nullptr;
}

bool PX_SysBitmap::CreateStorage() {
    const int64_t bytes = PX_AlignedBitmapBytes(allocatedWidth_, allocatedHeight_);
    if (bytes <= 0) {
        return false;
    }
    section_ = std::aligned_alloc(64, static_cast<size_t>((bytes + 63) & ~int64_t{63}));
    pixels_ = static_cast<PX_Pixel32*>(section_);
    return pixels_ != nullptr;
}
