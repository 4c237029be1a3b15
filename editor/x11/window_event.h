// WindowEvent: one event of the editor's X11 window in the editor's own terms, so the rules that
// turn events into the graphics context's input calls need no Xlib header (its KeyCode and None
// collide with the editor's names).
#pragma once

#include "editor/bounds.h"
#include "editor/canvas_text_entry.h"
#include "editor/mouse_keys.h"

#include <cstdint>

struct WindowEvent {
    // Key and FocusLost arrive only while a text entry holds the keyboard.
    enum class Kind {
        Press,
        Release,
        Motion,
        Enter,
        Leave,
        Exposure,
        Destroyed,
        Key,
        FocusLost,
        Other
    };
    // X's button numbers: 1 left, 2 middle, 3 right; 4 and 5 are one wheel notch up and down.
    enum Button { LeftButton = 1, MiddleButton = 2, RightButton = 3, WheelUp = 4, WheelDown = 5 };

    Kind kind = Kind::Other;
    int button = 0;
    int x = 0; // window pixels
    int y = 0;
    std::uint32_t time = 0;         // the server's milliseconds, wrapping
    MouseKeys keys;                 // buttons and modifiers held just before the event
    Bounds area;                    // Exposure: the part of the window to show again
    EntryKey key = EntryKey::Other; // Key: what the key means to a text entry
    char character = 0;             // Key: the character typed (EntryKey::Character)
};
