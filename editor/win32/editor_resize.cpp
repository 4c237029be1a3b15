// Resizing the editor: the canvas, the plug-in's record, the window and, for adapters whose host
// does not resize its own frame (the VST2 adapter's), the host's windows around it. UI thread.
#include "editor/win32/graphics_win32.h"
#include "framework/plugin_core.h"

namespace {

// Hosts of these formats size their own windows around the editor.
bool HostResizesItsWindows(AdapterKind kind) {
    return kind == AdapterKind::Vst3 || kind == AdapterKind::Clap;
}

bool IsChildWindow(HWND window) {
    return (GetWindowLongA(window, GWL_STYLE) & WS_CHILD) != 0 &&
           (GetWindowLongA(window, GWL_EXSTYLE) & WS_EX_MDICHILD) == 0;
}

void GrowWindow(HWND window, int dw, int dh) {
    RECT rect{};
    GetWindowRect(window, &rect);
    SetWindowPos(window, nullptr, 0, 0, rect.right - rect.left + dw, rect.bottom - rect.top + dh,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

} // namespace

void GraphicsWin32::SetEditorSize(int width, int height) {
    const int oldWidth = Width();
    const int oldHeight = Height();
    GraphicsContext::SetEditorSize(width, height);
    const int dw = Width() - oldWidth;
    const int dh = Height() - oldHeight;
    if (window_ == nullptr || (dw == 0 && dh == 0)) {
        return;
    }
    HWND parent = nullptr;
    HWND grandparent = nullptr;
    if (IsChildWindow(window_)) {
        parent = GetParent(window_);
        if (parent != nullptr && IsChildWindow(parent)) {
            grandparent = GetParent(parent);
        }
    }
    GrowWindow(window_, dw, dh);
    const PluginCore* plugin = Plugin();
    if (plugin == nullptr || !HostResizesItsWindows(plugin->Adapter())) {
        for (HWND frame : {parent, grandparent}) {
            if (frame != nullptr) {
                GrowWindow(frame, dw, dh);
            }
        }
    }
    const RECT whole{0, 0, Width(), Height()};
    InvalidateRect(window_, &whole, FALSE);
}
