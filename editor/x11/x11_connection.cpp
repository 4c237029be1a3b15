#include "editor/x11/x11_connection.h"

#include <chrono>
#include <cstdlib>
#include <thread>

// Last: Xlib's internal header defines min and max as macros.
#include <X11/Xlib.h>
#include <X11/Xlibint.h>

namespace {

// A server busy accepting other clients refuses a connection for a moment (EAGAIN): a few tries,
// 30 ms at most in all.
constexpr int ConnectAttempts = 5;

Display* Connect() {
    for (int attempt = 0;; ++attempt) {
        if (Display* display = XOpenDisplay(nullptr)) {
            return display;
        }
        if (attempt + 1 == ConnectAttempts) {
            return nullptr;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(2 << attempt));
    }
}

// Where the connection's error count hangs on the display's own data list.
constexpr int ErrorCountEntry = 0x43726573;

XExtData** DisplayData(Display* display) {
    XEDataObject object;
    object.display = display;
    return XEHeadOfExtensionList(object);
}

// Every error of this connection comes here instead of the process-wide handler.
Bool CountError(Display* display, XErrorEvent* /*error*/, xError* /*wire*/) {
    XExtData* entry = XFindOnExtensionList(DisplayData(display), ErrorCountEntry);
    if (entry != nullptr && entry->private_data != nullptr) {
        ++*reinterpret_cast<int*>(entry->private_data);
    }
    return False; // not reported any further
}

// The count belongs to the connection object; Xlib frees only the entry.
int LeaveCountAlone(XExtData* entry) {
    entry->private_data = nullptr;
    return 0;
}

} // namespace

bool X11Connection::Open() {
    Close();
    display_ = Connect();
    if (display_ == nullptr) {
        return false;
    }
    // Xlib frees the entry with the display.
    auto* entry = static_cast<XExtData*>(std::calloc(1, sizeof(XExtData)));
    if (entry == nullptr) {
        Close();
        return false;
    }
    entry->number = ErrorCountEntry;
    entry->private_data = reinterpret_cast<XPointer>(&errors_);
    entry->free_private = &LeaveCountAlone;
    XAddToExtensionList(DisplayData(display_), entry);
    for (int code = 1; code < 256; ++code) {
        XESetWireToError(display_, code, &CountError);
    }
    errors_ = 0;
    return true;
}

void X11Connection::Close() {
    if (display_ != nullptr) {
        XCloseDisplay(display_);
        display_ = nullptr;
    }
}

int X11Connection::Descriptor() const {
    return display_ != nullptr ? ConnectionNumber(display_) : -1;
}

bool X11Connection::SyncedWithoutErrors() {
    XSync(display_, False);
    const bool clean = errors_ == 0;
    errors_ = 0;
    return clean;
}

void X11Connection::Flush() {
    XFlush(display_);
}
