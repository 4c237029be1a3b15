#include "editor/win32/noted_calls.h"

#include "editor/win32/handle_ledger.h"

namespace {

std::uintptr_t Key(const void* handle) {
    return reinterpret_cast<std::uintptr_t>(handle);
}

// The editor registers one class per module, so the module stands for its class.
std::uintptr_t ClassKey(HINSTANCE instance) {
    return Key(instance);
}

// A timer is known by its window and identifier.
std::uintptr_t TimerKey(HWND window, UINT_PTR id) {
    return Key(window) * 64 + id;
}

void FreeSubmenus(HMENU menu) {
    const int count = GetMenuItemCount(menu);
    for (int i = 0; i < count; ++i) {
        if (HMENU submenu = GetSubMenu(menu, i)) {
            FreeSubmenus(submenu);
            NoteHandleFreed(LedgerKind::Menu, Key(submenu));
        }
    }
}

} // namespace

ATOM Noted::RegisterClassA(const WNDCLASSA* windowClass) {
    const ATOM atom = ::RegisterClassA(windowClass);
    if (atom != 0) {
        NoteHandleMade(LedgerKind::WindowClass, ClassKey(windowClass->hInstance));
    }
    return atom;
}

BOOL Noted::UnregisterClassA(const char* className, HINSTANCE instance) {
    const BOOL done = ::UnregisterClassA(className, instance);
    if (done) {
        NoteHandleFreed(LedgerKind::WindowClass, ClassKey(instance));
    }
    return done;
}

HWND Noted::CreateWindowExA(DWORD exStyle, const char* className, const char* title, DWORD style,
                            int x, int y, int width, int height, HWND parent, HMENU menu,
                            HINSTANCE instance, void* parameter) {
    HWND window = ::CreateWindowExA(exStyle, className, title, style, x, y, width, height, parent,
                                    menu, instance, parameter);
    if (window != nullptr) {
        NoteHandleMade(LedgerKind::Window, Key(window));
    }
    return window;
}

BOOL Noted::DestroyWindow(HWND window) {
    const BOOL done = ::DestroyWindow(window);
    if (done) {
        NoteHandleFreed(LedgerKind::Window, Key(window));
    }
    return done;
}

void Noted::WindowGone(HWND window) {
    NoteHandleFreed(LedgerKind::Window, Key(window));
}

UINT_PTR Noted::SetTimer(HWND window, UINT_PTR id, UINT milliseconds) {
    const UINT_PTR timer = ::SetTimer(window, id, milliseconds, nullptr);
    if (timer != 0) {
        NoteHandleMade(LedgerKind::Timer, TimerKey(window, id));
    }
    return timer;
}

BOOL Noted::KillTimer(HWND window, UINT_PTR id) {
    const BOOL done = ::KillTimer(window, id);
    if (done) {
        NoteHandleFreed(LedgerKind::Timer, TimerKey(window, id));
    }
    return done;
}

HFONT Noted::CreateFontA(int height, int width, int escapement, int orientation, int weight,
                         DWORD italic, DWORD underline, DWORD strikeOut, DWORD charSet,
                         DWORD outPrecision, DWORD clipPrecision, DWORD quality,
                         DWORD pitchAndFamily, const char* faceName) {
    HFONT font =
        ::CreateFontA(height, width, escapement, orientation, weight, italic, underline, strikeOut,
                      charSet, outPrecision, clipPrecision, quality, pitchAndFamily, faceName);
    if (font != nullptr) {
        NoteHandleMade(LedgerKind::Font, Key(font));
    }
    return font;
}

BOOL Noted::DeleteObject(HFONT font) {
    const BOOL done = ::DeleteObject(font);
    if (done) {
        NoteHandleFreed(LedgerKind::Font, Key(font));
    }
    return done;
}

HMENU Noted::CreatePopupMenu() {
    HMENU menu = ::CreatePopupMenu();
    if (menu != nullptr) {
        NoteHandleMade(LedgerKind::Menu, Key(menu));
    }
    return menu;
}

BOOL Noted::DestroyMenu(HMENU menu) {
    if (IsMenu(menu)) {
        FreeSubmenus(menu);
    }
    const BOOL done = ::DestroyMenu(menu);
    if (done) {
        NoteHandleFreed(LedgerKind::Menu, Key(menu));
    }
    return done;
}

HDC Noted::BeginPaint(HWND window, PAINTSTRUCT* paint) {
    HDC dc = ::BeginPaint(window, paint);
    if (dc != nullptr) {
        NoteHandleMade(LedgerKind::PaintDeviceContext, Key(dc));
    }
    return dc;
}

BOOL Noted::EndPaint(HWND window, const PAINTSTRUCT* paint) {
    const BOOL done = ::EndPaint(window, paint);
    NoteHandleFreed(LedgerKind::PaintDeviceContext, Key(paint->hdc));
    return done;
}
