// The editor's X11 window: embedded in the host's X11 window, with no timer of its own.
#include "clap/clap_gui.h"

#include <cstdint>

const char* ClapWindowSystem::Api() {
    return CLAP_WINDOW_API_X11;
}

bool ClapWindowSystem::NeedsHostDrive() {
    return true;
}

NativeWindow ClapWindowSystem::ParentOf(const clap_window& window) {
    return reinterpret_cast<NativeWindow>(static_cast<std::uintptr_t>(window.x11));
}
