#include "editor/x11/x11_child_window.h"

#include "editor/x11/x11_connection.h"

#include <X11/Xlib.h>

namespace {

constexpr long WindowEvents = ExposureMask | ButtonPressMask | ButtonReleaseMask |
                              PointerMotionMask | EnterWindowMask | LeaveWindowMask |
                              StructureNotifyMask;
constexpr long XEmbedVersion = 0;
constexpr long XEmbedMapped = 1;

// The canvas holds 32-bit words, 0xAARRGGBB (opaque: its backdrop is), so it goes to the server
// unchanged on TrueColor visuals of depth 24 or 32 with those masks and 32 bits a pixel.
bool ShowsCanvasPixels(Display* display, const XWindowAttributes& parent) {
    const Visual* visual = parent.visual;
    if (visual == nullptr || visual->c_class != TrueColor ||
        (parent.depth != 24 && parent.depth != 32) || visual->red_mask != 0xFF0000 ||
        visual->green_mask != 0x00FF00 || visual->blue_mask != 0x0000FF) {
        return false;
    }
    int count = 0;
    XPixmapFormatValues* formats = XListPixmapFormats(display, &count);
    bool wordPixels = false;
    for (int i = 0; i < count; ++i) {
        wordPixels |= formats[i].depth == parent.depth && formats[i].bits_per_pixel == 32;
    }
    if (formats != nullptr) {
        XFree(formats);
    }
    return wordPixels;
}

void AnnounceMapped(Display* display, Window window) {
    const Atom info = XInternAtom(display, "_XEMBED_INFO", False);
    const long value[2] = {XEmbedVersion, XEmbedMapped};
    XChangeProperty(display, window, info, info, 32, PropModeReplace,
                    reinterpret_cast<const unsigned char*>(value), 2);
}

} // namespace

bool X11ChildWindow::Create(X11Connection& connection, unsigned long parent, int x, int y,
                            int width, int height) {
    Destroy();
    display_ = connection.Get();
    XWindowAttributes parentAttributes{};
    const bool parentFits = parent != 0 &&
                            XGetWindowAttributes(display_, parent, &parentAttributes) &&
                            ShowsCanvasPixels(display_, parentAttributes);
    if (!connection.SyncedWithoutErrors() || !parentFits) {
        return false;
    }
    XSetWindowAttributes attributes{};
    attributes.background_pixmap = None; // the server never paints it grey before the canvas
    // No key events: they go on to the host's window, except while a text entry is open.
    attributes.event_mask = WindowEvents;
    window_ = XCreateWindow(display_, parent, x, y, static_cast<unsigned>(width),
                            static_cast<unsigned>(height), 0, CopyFromParent, InputOutput,
                            CopyFromParent, CWBackPixmap | CWEventMask, &attributes);
    depth_ = parentAttributes.depth;
    AnnounceMapped(display_, window_);
    XMapWindow(display_, window_);
    if (!connection.SyncedWithoutErrors()) {
        Destroy();
        return false;
    }
    return true;
}

void X11ChildWindow::TakeKeyboard() {
    if (window_ == 0 || hasKeyboard_) {
        return;
    }
    Window focus = 0;
    int revert = 0;
    XGetInputFocus(display_, &focus, &revert);
    focusBefore_ = focus;
    XSelectInput(display_, window_, WindowEvents | KeyPressMask | FocusChangeMask);
    XSetInputFocus(display_, window_, RevertToParent, CurrentTime);
    hasKeyboard_ = true;
}

// A window that had the focus before may be gone by now; the connection's trap takes the error
// and the server then leaves the focus with the parent (RevertToParent).
void X11ChildWindow::ReturnKeyboard() {
    if (window_ == 0 || !hasKeyboard_) {
        return;
    }
    hasKeyboard_ = false;
    XSelectInput(display_, window_, WindowEvents);
    XSetInputFocus(display_, focusBefore_ != window_ ? focusBefore_ : PointerRoot, RevertToParent,
                   CurrentTime);
}

void X11ChildWindow::Destroy() {
    hasKeyboard_ = false;
    if (window_ != 0) {
        XDestroyWindow(display_, window_);
        window_ = 0;
    }
}

void X11ChildWindow::Resize(int width, int height) {
    if (window_ != 0) {
        XResizeWindow(display_, window_, static_cast<unsigned>(width),
                      static_cast<unsigned>(height));
    }
}

bool X11ChildWindow::Position(int& x, int& y) const {
    Window root = 0;
    unsigned width = 0;
    unsigned height = 0;
    unsigned border = 0;
    unsigned depth = 0;
    return window_ != 0 &&
           XGetGeometry(display_, window_, &root, &x, &y, &width, &height, &border, &depth) != 0;
}
