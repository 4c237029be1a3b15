// The editor's Win32 window: a child of the host's window, with its own timer.
#include "clap/clap_gui.h"

const char* ClapWindowSystem::Api() {
    return CLAP_WINDOW_API_WIN32;
}

bool ClapWindowSystem::NeedsHostDrive() {
    return false;
}

NativeWindow ClapWindowSystem::ParentOf(const clap_window& window) {
    return window.win32;
}
