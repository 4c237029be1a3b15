// HostWindow on X11: a top-level window on a connection of the host's own, idled like a host's
// user-interface loop (effEditIdle every 40 ms), its pixels read back with XGetImage and real
// input sent through the XTEST extension. Windows open at separate places on the screen, so two
// open at once never cover each other's pixels.
#include "host/host_window.h"
#include "host/plugin_host.h"

#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/XTest.h>
#include <X11/keysym.h>
#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <mutex>
#include <thread>

namespace {

constexpr auto IdleInterval = std::chrono::milliseconds(40);

// Screen places for the windows of one process: a 2 x 2 grid of 600 x 360 cells.
constexpr int Places = 4;
std::mutex gPlacesMutex;
bool gPlaceTaken[Places] = {};

int TakePlace() {
    std::lock_guard<std::mutex> hold(gPlacesMutex);
    for (int i = 0; i < Places; ++i) {
        if (!gPlaceTaken[i]) {
            gPlaceTaken[i] = true;
            return i;
        }
    }
    return 0; // all taken: the fifth window overlaps the first
}

void FreePlace(int place) {
    std::lock_guard<std::mutex> hold(gPlacesMutex);
    gPlaceTaken[place] = false;
}

class X11HostWindow : public HostWindow {
public:
    X11HostWindow(Display* display, int width, int height)
        : display_(display), width_(width), height_(height), place_(TakePlace()) {}

    ~X11HostWindow() override {
        if (window_ != 0) {
            XDestroyWindow(display_, window_);
        }
        XCloseDisplay(display_);
        FreePlace(place_);
    }

    bool Create(std::string& error) {
        const int screen = DefaultScreen(display_);
        const Visual* visual = DefaultVisual(display_, screen);
        if (DefaultDepth(display_, screen) < 24 || visual->red_mask != 0xFF0000 ||
            visual->green_mask != 0x00FF00 || visual->blue_mask != 0x0000FF) {
            error = "the X display's default visual is not 24-bit TrueColor";
            return false;
        }
        XSetWindowAttributes attributes{};
        attributes.override_redirect = True; // placed exactly, with no window manager frame
        attributes.background_pixel = BlackPixel(display_, screen);
        attributes.event_mask = StructureNotifyMask | ExposureMask;
        window_ = XCreateWindow(display_, RootWindow(display_, screen), 20 + (place_ % 2) * 600,
                                20 + (place_ / 2) * 360, static_cast<unsigned>(width_),
                                static_cast<unsigned>(height_), 0, CopyFromParent, InputOutput,
                                CopyFromParent, CWOverrideRedirect | CWBackPixel | CWEventMask,
                                &attributes);
        XMapRaised(display_, window_);
        XEvent event;
        do {
            XWindowEvent(display_, window_, StructureNotifyMask, &event);
        } while (event.type != MapNotify);
        XSync(display_, False);
        return true;
    }

    void* ParentHandle() const override {
        return reinterpret_cast<void*>(static_cast<std::uintptr_t>(window_));
    }

    void Run(PluginHost& host, int milliseconds) override {
        using Clock = std::chrono::steady_clock;
        const Clock::time_point end = Clock::now() + std::chrono::milliseconds(milliseconds);
        Clock::time_point nextIdle = Clock::now();
        while (Clock::now() < end) {
            DrainEvents();
            if (Clock::now() >= nextIdle) {
                host.Dispatch(effEditIdle);
                nextIdle += IdleInterval;
            }
            std::this_thread::sleep_until(std::min(nextIdle, end));
        }
        DrainEvents();
    }

    void Pump() override { DrainEvents(); }

    bool ReadPixels(int x, int y, int width, int height,
                    std::vector<std::uint32_t>& pixels) override {
        if (x < 0 || y < 0 || width <= 0 || height <= 0 || x + width > width_ ||
            y + height > height_) {
            return false;
        }
        XImage* image = XGetImage(display_, window_, x, y, static_cast<unsigned>(width),
                                  static_cast<unsigned>(height), AllPlanes, ZPixmap);
        if (image == nullptr) {
            return false;
        }
        pixels.resize(static_cast<size_t>(width) * static_cast<size_t>(height));
        for (int row = 0; row < height; ++row) {
            for (int column = 0; column < width; ++column) {
                pixels[static_cast<size_t>(row) * static_cast<size_t>(width) +
                       static_cast<size_t>(column)] =
                    static_cast<std::uint32_t>(XGetPixel(image, column, row)) & 0xFFFFFF;
            }
        }
        XDestroyImage(image);
        return true;
    }

    void MoveMouse(int x, int y) override {
        int rootX = 0;
        int rootY = 0;
        Window child = 0;
        XTranslateCoordinates(display_, window_, DefaultRootWindow(display_), x, y, &rootX, &rootY,
                              &child);
        XTestFakeMotionEvent(display_, DefaultScreen(display_), rootX, rootY, CurrentTime);
        XSync(display_, False);
    }

    void PressButton(Button button, const Modifiers& keys) override {
        SendButton(ButtonNumber(button), true, keys);
    }

    void ReleaseButton(Button button, const Modifiers& keys) override {
        SendButton(ButtonNumber(button), false, keys);
    }

    void TurnWheel(int notches, const Modifiers& keys) override {
        HoldModifiers(keys, true);
        const unsigned button = notches > 0 ? Button4 : Button5;
        for (int n = std::abs(notches); n > 0; --n) {
            XTestFakeButtonEvent(display_, button, True, CurrentTime);
            XTestFakeButtonEvent(display_, button, False, CurrentTime);
        }
        HoldModifiers(keys, false);
        XSync(display_, False);
    }

private:
    static unsigned ButtonNumber(Button button) {
        switch (button) {
        case Button::Left:
            return Button1;
        case Button::Middle:
            return Button2;
        case Button::Right:
            return Button3;
        }
        return Button1;
    }

    void SendButton(unsigned button, bool down, const Modifiers& keys) {
        HoldModifiers(keys, true);
        XTestFakeButtonEvent(display_, button, down ? True : False, CurrentTime);
        HoldModifiers(keys, false);
        XSync(display_, False);
    }

    void HoldModifiers(const Modifiers& keys, bool down) {
        const struct {
            bool held;
            KeySym symbol;
        } modifiers[] = {
            {keys.shift, XK_Shift_L}, {keys.control, XK_Control_L}, {keys.alt, XK_Alt_L}};
        for (const auto& modifier : modifiers) {
            if (modifier.held) {
                XTestFakeKeyEvent(display_, XKeysymToKeycode(display_, modifier.symbol),
                                  down ? True : False, CurrentTime);
            }
        }
    }

    // The host window's own events ask for nothing: the editor covers it.
    void DrainEvents() {
        while (XPending(display_) > 0) {
            XEvent event;
            XNextEvent(display_, &event);
        }
    }

    Display* display_;
    Window window_ = 0;
    int width_;
    int height_;
    int place_;
};

} // namespace

const char* HostWindow::WindowSystem() {
    return "x11";
}

std::unique_ptr<HostWindow> HostWindow::Open(int width, int height, std::string& error) {
    const char* name = std::getenv("DISPLAY");
    // A server busy with other clients refuses a connection for a moment: a few tries.
    Display* display = XOpenDisplay(nullptr);
    for (int attempt = 0; display == nullptr && attempt < 4; ++attempt) {
        std::this_thread::sleep_for(std::chrono::milliseconds(2 << attempt));
        display = XOpenDisplay(nullptr);
    }
    if (display == nullptr) {
        error = std::string("no X display could be opened (DISPLAY=") +
                (name != nullptr ? name : "unset") + ")";
        return nullptr;
    }
    int event = 0;
    int failure = 0;
    int major = 0;
    int minor = 0;
    if (!XTestQueryExtension(display, &event, &failure, &major, &minor)) {
        XCloseDisplay(display);
        error = "the X display offers no XTEST extension for real input";
        return nullptr;
    }
    auto window = std::make_unique<X11HostWindow>(display, width, height);
    if (!window->Create(error)) {
        return nullptr;
    }
    return window;
}
