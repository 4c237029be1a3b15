#include "tools/screenshot/x_window_capture.h"

#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <algorithm>

namespace {

// This tool is its own process, so it may catch protocol errors (a bad window id) itself
// instead of letting Xlib end the process.
int lastErrorCode = 0;
int RecordError(Display* /*display*/, XErrorEvent* event) {
    lastErrorCode = event->error_code;
    return 0;
}

// One colour channel of a TrueColor pixel, scaled to 8 bits whatever the mask's width.
struct Channel {
    unsigned long mask;
    int shift = 0;
    unsigned long maximum = 0;

    explicit Channel(unsigned long m) : mask(m) {
        while (mask != 0 && ((mask >> shift) & 1) == 0) {
            ++shift;
        }
        maximum = mask >> shift;
    }
    uint32_t Read(unsigned long pixel) const {
        return maximum == 0 ? 0 : uint32_t(((pixel & mask) >> shift) * 255 / maximum);
    }
};

bool FitRect(const ScreenshotOptions& options, const XWindowAttributes& attributes, int& x, int& y,
             int& width, int& height) {
    x = options.hasRect ? options.x : 0;
    y = options.hasRect ? options.y : 0;
    width = options.hasRect ? options.width : attributes.width;
    height = options.hasRect ? options.height : attributes.height;
    return width > 0 && height > 0 && x + width <= attributes.width &&
           y + height <= attributes.height;
}

std::unique_ptr<PX_MemBitmap> ConvertImage(XImage& image, const Visual& visual) {
    const Channel red(visual.red_mask), green(visual.green_mask), blue(visual.blue_mask);
    auto bitmap = std::make_unique<PX_MemBitmap>(image.width, image.height);
    if (bitmap->PixelData() == nullptr) {
        return nullptr;
    }
    for (int y = 0; y < image.height; ++y) {
        PX_Pixel32* row = bitmap->PixelData() + size_t(y) * size_t(bitmap->RowStride());
        for (int x = 0; x < image.width; ++x) {
            const unsigned long pixel = XGetPixel(&image, x, y);
            row[x] = PX_MakePixel(255, red.Read(pixel), green.Read(pixel), blue.Read(pixel));
        }
    }
    return bitmap;
}

// The title of a top-level window: the UTF-8 _NET_WM_NAME toolkits set, else WM_NAME.
std::string WindowTitle(Display* display, Window window) {
    const Atom netName = XInternAtom(display, "_NET_WM_NAME", False);
    const Atom utf8 = XInternAtom(display, "UTF8_STRING", False);
    Atom type = None;
    int format = 0;
    unsigned long count = 0, after = 0;
    unsigned char* data = nullptr;
    std::string title;
    if (XGetWindowProperty(display, window, netName, 0, 1024, False, utf8, &type, &format, &count,
                           &after, &data) == Success &&
        data != nullptr && type == utf8 && format == 8) {
        title.assign(reinterpret_cast<const char*>(data), count);
    }
    if (data != nullptr) {
        XFree(data);
    }
    char* name = nullptr;
    if (title.empty() && XFetchName(display, window, &name) != 0 && name != nullptr) {
        title = name;
        XFree(name);
    }
    return title;
}

// Turns options naming a window by its title into the rectangle of the root window it covers
// (what the screen shows there, windows in front included, clipped to the screen).
bool ResolveTitle(Display* display, ScreenshotOptions& options, std::string& error) {
    const Window root = DefaultRootWindow(display);
    Window rootReturn = 0, parent = 0;
    Window* children = nullptr;
    unsigned int count = 0;
    if (XQueryTree(display, root, &rootReturn, &parent, &children, &count) == 0) {
        error = "cannot list the windows";
        return false;
    }
    bool found = false;
    for (unsigned int i = count; i-- > 0 && !found;) { // topmost first
        XWindowAttributes attributes{};
        if (XGetWindowAttributes(display, children[i], &attributes) == 0 ||
            attributes.map_state != IsViewable ||
            WindowTitle(display, children[i]).find(options.title) == std::string::npos) {
            continue;
        }
        const int left = std::max(attributes.x, 0), top = std::max(attributes.y, 0);
        const int right =
            std::min(attributes.x + attributes.width, WidthOfScreen(attributes.screen));
        const int bottom =
            std::min(attributes.y + attributes.height, HeightOfScreen(attributes.screen));
        if (right > left && bottom > top) {
            options.hasRect = true;
            options.x = left;
            options.y = top;
            options.width = right - left;
            options.height = bottom - top;
            found = true;
        }
    }
    if (children != nullptr) {
        XFree(children);
    }
    if (!found) {
        error = "no window on screen titled \"" + options.title + "\"";
    }
    return found;
}

std::unique_ptr<PX_MemBitmap> CaptureFrom(Display* display, ScreenshotOptions options,
                                          std::string& error) {
    if (!options.title.empty() && !ResolveTitle(display, options, error)) {
        return nullptr;
    }
    const Window window = options.window != 0 ? options.window : DefaultRootWindow(display);
    XWindowAttributes attributes{};
    if (XGetWindowAttributes(display, window, &attributes) == 0 || lastErrorCode != 0) {
        error = "no such window";
        return nullptr;
    }
    if (attributes.visual == nullptr || attributes.visual->c_class != TrueColor) {
        error = "the window's visual is not TrueColor";
        return nullptr;
    }
    int x, y, width, height;
    if (!FitRect(options, attributes, x, y, width, height)) {
        error = "the rectangle is not inside the window";
        return nullptr;
    }
    XImage* image =
        XGetImage(display, window, x, y, unsigned(width), unsigned(height), AllPlanes, ZPixmap);
    XSync(display, False);
    if (image == nullptr || lastErrorCode != 0) {
        error = "the server gave no pixels (is the window mapped?)";
        if (image != nullptr) {
            XDestroyImage(image);
        }
        return nullptr;
    }
    std::unique_ptr<PX_MemBitmap> bitmap = ConvertImage(*image, *attributes.visual);
    XDestroyImage(image);
    if (bitmap == nullptr) {
        error = "out of memory";
    }
    return bitmap;
}

} // namespace

std::unique_ptr<PX_MemBitmap> CaptureXWindow(const ScreenshotOptions& options, std::string& error) {
    Display* display = XOpenDisplay(options.display.empty() ? nullptr : options.display.c_str());
    if (display == nullptr) {
        error = "cannot open display " + (options.display.empty() ? "$DISPLAY" : options.display);
        return nullptr;
    }
    XSetErrorHandler(RecordError);
    std::unique_ptr<PX_MemBitmap> bitmap = CaptureFrom(display, options, error);
    XCloseDisplay(display);
    return bitmap;
}
