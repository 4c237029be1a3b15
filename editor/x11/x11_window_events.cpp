#include "editor/x11/x11_window_events.h"

#include "editor/x11/x11_connection.h"

#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/keysym.h>

namespace {

MouseKeys KeysFromState(unsigned int state) {
    MouseKeys keys;
    keys.left = (state & Button1Mask) != 0;
    keys.right = (state & Button3Mask) != 0;
    keys.shift = (state & ShiftMask) != 0;
    keys.control = (state & ControlMask) != 0;
    keys.alt = (state & Mod1Mask) != 0;
    return keys;
}

template <typename PointerEvent>
WindowEvent PointerAt(WindowEvent::Kind kind, const PointerEvent& event) {
    WindowEvent translated;
    translated.kind = kind;
    translated.x = event.x;
    translated.y = event.y;
    translated.time = static_cast<std::uint32_t>(event.time);
    translated.keys = KeysFromState(event.state);
    return translated;
}

// Crossings caused by grabs, or by a window inside this one, are not the pointer coming or going.
WindowEvent Crossing(WindowEvent::Kind kind, const XCrossingEvent& event) {
    if (event.mode != NotifyNormal || event.detail == NotifyInferior) {
        return WindowEvent{};
    }
    return PointerAt(kind, event);
}

WindowEvent TypedKey(XKeyEvent& event) {
    WindowEvent translated;
    translated.kind = WindowEvent::Kind::Key;
    char typed[8] = {};
    KeySym symbol = NoSymbol;
    const int count = XLookupString(&event, typed, sizeof typed, &symbol, nullptr);
    if (symbol == XK_Return || symbol == XK_KP_Enter) {
        translated.key = EntryKey::Return;
    } else if (symbol == XK_Escape) {
        translated.key = EntryKey::Escape;
    } else if (symbol == XK_BackSpace) {
        translated.key = EntryKey::Backspace;
    } else if (count == 1) {
        translated.key = EntryKey::Character;
        translated.character = typed[0];
    }
    return translated;
}

// The keyboard went elsewhere (the host or another window took it); moves of the pointer in and
// out of the window do not count.
WindowEvent LostFocus(const XFocusChangeEvent& event) {
    WindowEvent translated;
    if (event.mode == NotifyNormal && event.detail != NotifyPointer &&
        event.detail != NotifyInferior) {
        translated.kind = WindowEvent::Kind::FocusLost;
    }
    return translated;
}

WindowEvent ExposedArea(const XExposeEvent& event) {
    WindowEvent translated;
    translated.kind = WindowEvent::Kind::Exposure;
    translated.area = Bounds{event.x, event.y, event.x + event.width, event.y + event.height};
    return translated;
}

} // namespace

int PendingWindowEvents(X11Connection& connection) {
    return XPending(connection.Get());
}

WindowEvent ReadWindowEvent(X11Connection& connection) {
    XEvent event;
    XNextEvent(connection.Get(), &event);
    switch (event.type) {
    case ButtonPress:
    case ButtonRelease: {
        WindowEvent translated = PointerAt(event.type == ButtonPress ? WindowEvent::Kind::Press
                                                                     : WindowEvent::Kind::Release,
                                           event.xbutton);
        translated.button = static_cast<int>(event.xbutton.button);
        return translated;
    }
    case MotionNotify:
        return PointerAt(WindowEvent::Kind::Motion, event.xmotion);
    case EnterNotify:
        return Crossing(WindowEvent::Kind::Enter, event.xcrossing);
    case LeaveNotify:
        return Crossing(WindowEvent::Kind::Leave, event.xcrossing);
    case Expose:
        return ExposedArea(event.xexpose);
    case KeyPress:
        return TypedKey(event.xkey);
    case FocusOut:
        return LostFocus(event.xfocus);
    case DestroyNotify:
        if (event.xdestroywindow.window == event.xdestroywindow.event) {
            WindowEvent destroyed;
            destroyed.kind = WindowEvent::Kind::Destroyed;
            return destroyed;
        }
        return WindowEvent{};
    default:
        return WindowEvent{};
    }
}
