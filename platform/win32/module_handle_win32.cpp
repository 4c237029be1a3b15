#include "platform/module_handle.h"

#include <windows.h>

static HINSTANCE g_thisModule = nullptr;

// The loader calls this on every attach and detach; only the handle is of interest.
extern "C" BOOL WINAPI DllMain(HINSTANCE instance, DWORD /*reason*/, LPVOID /*reserved*/) {
    g_thisModule = instance;
    return TRUE;
}

ModuleHandle ThisModuleHandle() {
    if (g_thisModule == nullptr) {
        // Linked into an executable (tests): resources live in the executable itself.
        g_thisModule = GetModuleHandleA(nullptr);
    }
    return g_thisModule;
}
