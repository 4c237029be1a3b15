// The handle ledger: every handle the editor window makes or frees (window classes, windows,
// timers, fonts, menus, paint device contexts) is noted here through the calls of
// noted_calls.h. The product's notes go nowhere (handle_ledger_off.cpp); a test program links a
// recording ledger in its place, so a test sees each handle an open editor made and whether its
// close freed it. The system's own counters cannot serve: GetGuiResources answers 0 under Wine.
#pragma once

#include <cstdint>

enum class LedgerKind : int {
    WindowClass,
    Window,
    Timer,
    Font,
    Menu,
    PaintDeviceContext,
};

void NoteHandleMade(LedgerKind kind, std::uintptr_t handle);
void NoteHandleFreed(LedgerKind kind, std::uintptr_t handle);
