// HostMainWindow: the host's main window, the owner of the editor's message boxes. Found from the
// parent window the host opened the editor in (its top-most ancestor), or, once that is known,
// among this process's top-level windows by its class name; cached once found. UI thread.
#pragma once

#include "framework/text_buffer.h"

#include <windows.h>

class HostMainWindow {
public:
    // The window the host gave the editor as its parent.
    void SetParent(HWND parent) { parent_ = parent; }

    // The main window, or null (message boxes then have no owner).
    HWND Find();

private:
    HWND FindByClassName();

    HWND parent_ = nullptr;
    HWND found_ = nullptr;
    DWORD processId_ = 0;
    TextBuffer className_;
};
