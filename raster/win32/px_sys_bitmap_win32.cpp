// The system bitmap as a top-down 32-bit DIB section selected into its own memory device context,
// so GDI can draw text into it and the editor window can copy it to the screen.
#include "raster/px_size_limits.h"
#include "raster/px_sys_bitmap.h"

#include <windows.h>

bool PX_SysBitmap::StorageNeedsDeviceContext() {
    return true;
}

PX_SysBitmap::PX_SysBitmap(int width, int height) {
    deviceContext_ = CreateCompatibleDC(nullptr);
    SetSize(width, height);
}

PX_SysBitmap::~PX_SysBitmap() {
    ReleaseStorage();
    if (deviceContext_ != nullptr) {
        DeleteDC(static_cast<HDC>(deviceContext_));
    }
}

void PX_SysBitmap::ReleaseStorage() {
    if (previousObject_ != nullptr) {
        SelectObject(static_cast<HDC>(deviceContext_), static_cast<HGDIOBJ>(previousObject_));
        previousObject_ = nullptr;
    }
    if (section_ != nullptr) {
        DeleteObject(static_cast<HGDIOBJ>(section_));
        section_ = nullptr;
    }
    pixels_ = nullptr;
}

bool PX_SysBitmap::CreateStorage() {
    if (PX_AlignedBitmapBytes(allocatedWidth_, allocatedHeight_) <= 0) {
        return false;
    }
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = allocatedWidth_;
    info.bmiHeader.biHeight = IsBottomUp() ? allocatedHeight_ : -allocatedHeight_;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    HBITMAP section = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (section == nullptr || bits == nullptr) {
        if (section != nullptr) {
            DeleteObject(section);
        }
        return false;
    }
    section_ = section;
    pixels_ = static_cast<PX_Pixel32*>(bits);
    previousObject_ = SelectObject(static_cast<HDC>(deviceContext_), section);
    return true;
}
