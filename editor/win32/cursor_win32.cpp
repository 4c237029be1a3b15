// Hiding the mouse cursor during a gesture and bringing it back where it was. No control of this
// program calls them. UI thread.
#include "editor/win32/graphics_win32.h"

void GraphicsWin32::ConcealCursor() {
    if (cursorHidden_) {
        return;
    }
    GetCursorPos(&savedCursor_);
    ShowCursor(FALSE);
    cursorHidden_ = true;
}

void GraphicsWin32::RevealCursor() {
    if (!cursorHidden_) {
        return;
    }
    SetCursorPos(savedCursor_.x, savedCursor_.y);
    ShowCursor(TRUE);
    cursorHidden_ = false;
}
