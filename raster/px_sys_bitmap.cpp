// Sizing rules shared by every platform; the storage itself lives in the platform files.
#include "raster/px_sys_bitmap.h"

#include "raster/px_size_limits.h"

bool PX_SysBitmap::SetSize(int width, int height) {
    if (StorageNeedsDeviceContext() && deviceContext_ == nullptr) {
        width_ = 0;
        height_ = 0;
        pixels_ = nullptr;
        return false;
    }
    if (width == width_ && height == height_) {
        return false;
    }
    width_ = width;
    height_ = height;
    if (width >= 1 && height >= 1 && width <= allocatedWidth_ && height <= allocatedHeight_ &&
        HasStorage()) {
        return true;
    }
    ReleaseStorage();
    if (width < 1 || height < 1) {
        // No storage: the bitmap reports itself empty rather than a size it cannot hold.
        allocatedWidth_ = 0;
        allocatedHeight_ = 0;
        width_ = 0;
        height_ = 0;
        return false;
    }
    allocatedWidth_ = static_cast<int32_t>((int64_t{width} + 3) & ~int64_t{3});
    allocatedHeight_ = height;
    if (!CreateStorage()) {
        allocatedWidth_ = 0;
        allocatedHeight_ = 0;
        width_ = 0;
        height_ = 0;
    }
    return true;
}
