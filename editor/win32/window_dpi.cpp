// The scale Windows asks for: the DPI of the host's window, 96 being 100 percent, and its
// changes while the editor is open. UI thread.
#include "editor/win32/graphics_win32.h"
#include "framework/plugin_core.h"

namespace {

constexpr double BaseDpi = 96.0;

// Older system headers lack them: a top-level window's new DPI (in wParam), and a child's after
// its parent's changed (asked of the window).
constexpr UINT DpiChangedMessage = 0x02E0;
constexpr UINT DpiChangedAfterParentMessage = 0x02E3;

using DpiForWindowFunction = UINT(WINAPI*)(HWND);

// GetDpiForWindow exists from Windows 10 1607 on: looked up, so older systems still load us.
DpiForWindowFunction DpiForWindow() {
    HMODULE user = GetModuleHandleA("user32.dll");
    FARPROC function = user != nullptr ? GetProcAddress(user, "GetDpiForWindow") : nullptr;
    return reinterpret_cast<DpiForWindowFunction>(reinterpret_cast<void*>(function));
}

UINT SystemDpi() {
    HDC screen = GetDC(nullptr);
    if (screen == nullptr) {
        return 0;
    }
    const int dpi = GetDeviceCaps(screen, LOGPIXELSX);
    ReleaseDC(nullptr, screen);
    return dpi > 0 ? static_cast<UINT>(dpi) : 0;
}

} // namespace

double GraphicsWin32::SystemScale(NativeWindow parent) {
    static const DpiForWindowFunction dpiForWindow = DpiForWindow();
    HWND window = static_cast<HWND>(parent);
    UINT dpi = 0;
    if (dpiForWindow != nullptr && window != nullptr && IsWindow(window)) {
        dpi = dpiForWindow(window);
    }
    if (dpi == 0) {
        dpi = SystemDpi();
    }
    return dpi > 0 ? dpi / BaseDpi : 1.0;
}

bool GraphicsWin32::IsDpiChange(UINT message) {
    return message == DpiChangedMessage || message == DpiChangedAfterParentMessage;
}

void GraphicsWin32::OnDpiChanged(UINT message, WPARAM wParam) {
    const UINT dpi = message == DpiChangedMessage ? LOWORD(wParam) : 0;
    const double factor = dpi > 0 ? dpi / BaseDpi : SystemScale(window_);
    if (Plugin() != nullptr) {
        Plugin()->EditorSystemScaleChanged(factor);
    }
}
