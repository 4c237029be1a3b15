// HostWindow: the top-level window a host opens a plug-in's editor into, driven the way a host's
// user-interface loop drives it, with real input from the window system. One implementation per
// window system: host/win32/ (a Win32 window and its message loop) and host/x11/ (an X11 window,
// its event loop and effEditIdle at a host's idle rate, input through XTest).
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

class PluginHost;

class HostWindow {
public:
    enum class Button { Left, Right, Middle };
    // Keys held down around the next button or wheel event.
    struct Modifiers {
        bool shift = false;
        bool control = false;
        bool alt = false;
    };

    virtual ~HostWindow() = default;

    // A top-level window whose client area is width x height, shown on the screen. Null, with
    // the reason in error, when the window system cannot be reached (no display).
    static std::unique_ptr<HostWindow> Open(int width, int height, std::string& error);
    // The window system's name as plug-in formats spell it: "x11" or "win32".
    static const char* WindowSystem();

    // What effEditOpen receives as its parent: an HWND, or an X11 window id.
    virtual void* ParentHandle() const = 0;
    // The host's user-interface loop for about milliseconds: window messages or events, and
    // where the window system needs it (X11) effEditIdle through host every 40 ms.
    virtual void Run(PluginHost& host, int milliseconds) = 0;
    // Handles the window events or messages waiting now, without waiting for more (a host loop
    // of another plug-in format calls it between its own steps).
    virtual void Pump() = 0;
    // The pixels the window system shows in the client area's rectangle, as 0x00RRGGBB words row
    // by row; false when they cannot be read.
    virtual bool ReadPixels(int x, int y, int width, int height,
                            std::vector<std::uint32_t>& pixels) = 0;

    // Real input at client coordinates of this window.
    virtual void MoveMouse(int x, int y) = 0;
    virtual void PressButton(Button button, const Modifiers& keys) = 0;
    virtual void ReleaseButton(Button button, const Modifiers& keys) = 0;
    // Positive notches turn the wheel away from the user (up).
    virtual void TurnWheel(int notches, const Modifiers& keys) = 0;
    // Tells the windows inside this one that their monitor now has dpi, as Windows tells a
    // window moved to another monitor (WM_DPICHANGED). False where the window system has no
    // such notice (X11).
    virtual bool ChangeDpi(int /*dpi*/) { return false; }
};
