#include "editor/x11/x11_presenter.h"

#include "raster/px_bitmap.h"

#include <X11/Xlib.h>

void X11Presenter::Prepare(Display* display, unsigned long window, int depth) {
    Release();
    display_ = display;
    window_ = window;
    depth_ = depth;
    gc_ = XCreateGC(display, window, 0, nullptr);
}

void X11Presenter::Release() {
    if (gc_ != nullptr) {
        XFreeGC(display_, gc_);
        gc_ = nullptr;
    }
    window_ = 0;
}

void X11Presenter::Present(PX_Bitmap& canvas, const Bounds& rect) {
    const Bounds cut = rect.IntersectionWith(Bounds{0, 0, canvas.Width(), canvas.Height()});
    if (gc_ == nullptr || window_ == 0 || cut.Width() <= 0 || cut.Height() <= 0 ||
        canvas.PixelData() == nullptr) {
        return;
    }
    // An image header over the canvas's own rows; the words are little-endian 0xAARRGGBB.
    XImage image{};
    image.width = canvas.Width();
    image.height = canvas.Height();
    image.format = ZPixmap;
    image.data = reinterpret_cast<char*>(canvas.PixelData());
    image.byte_order = LSBFirst;
    image.bitmap_unit = 32;
    image.bitmap_bit_order = LSBFirst;
    image.bitmap_pad = 32;
    image.depth = depth_;
    image.bytes_per_line = canvas.RowStride() * 4;
    image.bits_per_pixel = 32;
    image.red_mask = 0xFF0000;
    image.green_mask = 0x00FF00;
    image.blue_mask = 0x0000FF;
    if (XInitImage(&image) == 0) {
        return;
    }
    XPutImage(display_, window_, gc_, &image, cut.left, cut.top, cut.left, cut.top,
              static_cast<unsigned>(cut.Width()), static_cast<unsigned>(cut.Height()));
}
