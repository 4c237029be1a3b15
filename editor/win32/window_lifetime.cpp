// The editor window's life: opening it inside the host's window, its creation message, closing
// it, and the host destroying it along with its own window. UI thread.
#include "editor/control.h"
#include "editor/win32/graphics_win32.h"
#include "editor/win32/noted_calls.h"
#include "editor/win32/window_class.h"

namespace {

// Where a window sits inside its parent's client area, and its size.
struct Placement {
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;
};

Placement PlacementInParent(HWND window, HWND parent) {
    RECT rect{};
    GetWindowRect(window, &rect);
    POINT corner{rect.left, rect.top};
    if (parent != nullptr) {
        ScreenToClient(parent, &corner);
    }
    return Placement{corner.x, corner.y, rect.right - rect.left, rect.bottom - rect.top};
}

} // namespace

GraphicsWin32::GraphicsWin32(PluginCore* plugin, ModuleHandle module)
    : WindowlessGraphics(plugin, module) {}

// The plug-in closes the window before it goes (effClose); by now the base's host-facing parts
// are gone, so an open gesture is not told.
GraphicsWin32::~GraphicsWin32() {
    DestroyEditorWindow();
}

GraphicsWin32* GraphicsWin32::FromWindow(HWND window) {
    return window != nullptr
               ? reinterpret_cast<GraphicsWin32*>(GetWindowLongPtrA(window, GWLP_USERDATA))
               : nullptr;
}

// Reopening while open keeps the old window's place and size (grown or shrunk with a new scale).
// The place is read in the parent's client coordinates, where a child window lives, so a parent
// with a frame and a title bar does not shift it.
NativeWindow GraphicsWin32::OpenEditorWindow(NativeWindow parentHandle) {
    HWND parent = static_cast<HWND>(parentHandle);
    Placement place{0, 0, Width(), Height()};
    if (window_ != nullptr) {
        place = PlacementInParent(window_, parent);
        CloseEditorWindow();
    }
    const int oldWidth = Width();
    const int oldHeight = Height();
    AdoptSystemScale(parent);
    place.width += Width() - oldWidth;
    place.height += Height() - oldHeight;
    hostWindow_.SetParent(parent);
    if (!EditorWindowClass::Acquire(Instance(), &GraphicsWin32::WindowProcedure)) {
        return nullptr;
    }
    EditorWindowClass::SetFrameRate(FrameRate());
    HWND window = Noted::CreateWindowExA(0, EditorWindowClass::Name, "Crescenda",
                                         WS_CHILD | WS_VISIBLE, place.x, place.y, place.width,
                                         place.height, parent, nullptr, Instance(), this);
    if (window == nullptr) {
        window_ = nullptr;
        EditorWindowClass::Release(Instance());
        return nullptr;
    }
    window_ = window;
    for (int i = 0; i < ControlCount(); ++i) {
        ControlAt(i)->Touch(false); // the first paint draws everything
    }
    if (Tooltips()) {
        CreateTooltip();
    }
    return window_;
}

// Sent inside CreateWindowExA: from here on the procedure knows its object and window.
LRESULT GraphicsWin32::OnCreate(HWND window) {
    SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    window_ = window;
    Noted::SetTimer(window, RedrawTimer, EditorWindowClass::TimerInterval());
    SetFocus(window);
    return 0;
}

void GraphicsWin32::CreateTooltip() {
    if (!tooltip_.Create(window_, Instance())) {
        SetTooltips(false);
    }
}

// An entry still open is discarded: its box, its font and its fields go with the window.
void GraphicsWin32::ReleaseWindowParts() {
    tooltip_.Destroy();
    entry_.Close();
    Noted::KillTimer(window_, RedrawTimer);
}

// An open gesture ends (its end-edit reaches the host) once the window is no longer this object's:
// a host that closes or reopens the editor from inside that call finds no window to close twice.
void GraphicsWin32::CloseEditorWindow() {
    HWND window = window_;
    if (window == nullptr) {
        return;
    }
    DestroyEditorWindow();
    AbandonGesture();
}

// The timer stops and the window forgets this object before it is destroyed: the messages of
// the destruction, and any already queued for it, get default processing.
void GraphicsWin32::DestroyEditorWindow() {
    HWND window = window_;
    if (window == nullptr) {
        return;
    }
    ReleaseWindowParts();
    SetWindowLongPtrA(window, GWLP_USERDATA, 0);
    window_ = nullptr;
    if (GetCapture() == window) {
        ReleaseCapture();
    }
    Noted::DestroyWindow(window);
    EditorWindowClass::Release(Instance());
}

// Some hosts destroy their window without closing the editor first: the children are still there
// at WM_DESTROY, and the window is gone at WM_NCDESTROY.
void GraphicsWin32::OnDestroyedWithParent(UINT message) {
    if (message == WM_DESTROY) {
        ReleaseWindowParts();
        return;
    }
    Noted::WindowGone(window_);
    SetWindowLongPtrA(window_, GWLP_USERDATA, 0);
    window_ = nullptr;
    EditorWindowClass::Release(Instance());
    AbandonGesture();
}
