#include "editor/x11/graphics_x11.h"

#include "editor/control.h"
#include "editor/editor_scale.h"
#include "editor/x11/x11_child_window.h"
#include "editor/x11/x11_connection.h"
#include "editor/x11/x11_display_scale.h"
#include "editor/x11/x11_presenter.h"
#include "editor/x11/x11_window_events.h"

#include <cstdint>

// Destroyed in reverse order: presenter, window, connection.
struct GraphicsX11::OpenWindow {
    X11Connection connection;
    X11ChildWindow child;
    X11Presenter presenter;
};

GraphicsX11::GraphicsX11(PluginCore* plugin, ModuleHandle module)
    : WindowlessGraphics(plugin, module), pacing_(FrameRate()) {}

// The plug-in closes the window before it goes (effClose); by now the base's host-facing parts
// are gone, so nothing is told.
GraphicsX11::~GraphicsX11() {
    std::lock_guard<std::recursive_mutex> hold(windowMutex_);
    window_.reset();
}

NativeWindow GraphicsX11::OpenEditorWindow(NativeWindow parent) {
    NoticesHeld notices(*this);
    std::lock_guard<std::recursive_mutex> hold(windowMutex_);
    int x = 0;
    int y = 0;
    if (window_ != nullptr) {
        window_->child.Position(x, y);
        CloseEditorWindow();
    }
    const auto parentId = static_cast<unsigned long>(reinterpret_cast<std::uintptr_t>(parent));
    auto opened = std::make_unique<OpenWindow>();
    if (parentId == 0 || !opened->connection.Open()) {
        return nullptr;
    }
    if (!HostScaled()) {
        ChangeScale(EditorScale::Nearest(DisplayScale(opened->connection.Get())));
    }
    if (!opened->child.Create(opened->connection, parentId, x, y, Width(), Height())) {
        return nullptr;
    }
    opened->presenter.Prepare(opened->connection.Get(), opened->child.Id(), opened->child.Depth());
    window_ = std::move(opened);
    ++openings_;
    pointer_.Reset();
    pacing_.Restart();
    exposed_ = Bounds{};
    for (int i = 0; i < ControlCount(); ++i) {
        ControlAt(i)->Touch(false); // the first step paints everything
    }
    return WindowHandle();
}

double GraphicsX11::SystemScale(NativeWindow /*parent*/) {
    std::lock_guard<std::recursive_mutex> hold(windowMutex_);
    if (window_ != nullptr) {
        return DisplayScale(window_->connection.Get());
    }
    X11Connection connection;
    return connection.Open() ? DisplayScale(connection.Get()) : 1.0;
}

void GraphicsX11::ChangeScale(int percent) {
    std::lock_guard<std::recursive_mutex> hold(windowMutex_);
    GraphicsContext::ChangeScale(percent);
    if (window_ != nullptr) {
        window_->child.Resize(Width(), Height());
    }
}

// An open gesture ends with the window (its end-edit reaches the host once the mutex is free);
// an entry open when the window goes is dropped and the server gives the keyboard to the parent.
void GraphicsX11::CloseEditorWindow() {
    NoticesHeld notices(*this);
    std::lock_guard<std::recursive_mutex> hold(windowMutex_);
    entry_.Close();
    if (window_ == nullptr) {
        return;
    }
    window_.reset();
    pointer_.Reset();
    AbandonGesture();
}

NativeWindow GraphicsX11::WindowHandle() {
    std::lock_guard<std::recursive_mutex> hold(windowMutex_);
    if (window_ == nullptr || window_->child.Id() == 0) {
        return nullptr;
    }
    return reinterpret_cast<NativeWindow>(static_cast<std::uintptr_t>(window_->child.Id()));
}

int GraphicsX11::WatchedDescriptor() {
    std::lock_guard<std::recursive_mutex> hold(windowMutex_);
    return window_ != nullptr ? window_->connection.Descriptor() : -1;
}

bool GraphicsX11::PresentRect(const Bounds& rect) {
    std::lock_guard<std::recursive_mutex> hold(windowMutex_);
    if (window_ == nullptr || Canvas() == nullptr) {
        return false;
    }
    if (entry_.IsOpen() && rect.Intersects(entry_.Area())) {
        entry_.Paint(*this);
    }
    window_->presenter.Present(*Canvas(), rect);
    return true;
}

void GraphicsX11::BeginTextEntry(Control* control, const TextStyle& style, const Bounds& rect,
                                 const char* text, PluginParam* param) {
    std::lock_guard<std::recursive_mutex> hold(windowMutex_);
    if (window_ == nullptr || control == nullptr || param == nullptr || entry_.IsOpen()) {
        return;
    }
    entry_.Open(control, param, style, rect, text, control->TextEntryLength());
    window_->child.TakeKeyboard();
    PresentRect(entry_.Area());
}

void GraphicsX11::CancelTextEntry() {
    std::lock_guard<std::recursive_mutex> hold(windowMutex_);
    if (entry_.IsOpen()) {
        CloseEntry();
    }
}

void GraphicsX11::CloseEntry() {
    const Bounds covered = entry_.Area();
    entry_.Close();
    if (window_ != nullptr) {
        window_->child.ReturnKeyboard();
        Repaint(covered);
    }
}

// A press outside the entry (or the wheel) cancels it and reaches no control; a press inside it
// changes nothing. Releases and moves go on as usual.
bool GraphicsX11::TakeEntryEvent(const WindowEvent& event) {
    switch (event.kind) {
    case WindowEvent::Kind::Key:
        if (entry_.TakeKey(*this, event.key, event.character)) {
            CloseEntry();
        } else {
            PresentRect(entry_.Area());
        }
        return true;
    case WindowEvent::Kind::FocusLost:
        CloseEntry();
        return true;
    case WindowEvent::Kind::Press:
        if (event.button > WindowEvent::RightButton || !entry_.Area().Contains(event.x, event.y)) {
            CloseEntry();
        }
        return true;
    default:
        return false;
    }
}

// What the events' gestures tell the host waits until the mutex is free (NoticesHeld).
void GraphicsX11::IdleEditorWindow() {
    NoticesHeld notices(*this);
    std::lock_guard<std::recursive_mutex> hold(windowMutex_);
    if (window_ == nullptr || idling_) {
        return; // idle before open, or an idle call from inside this one
    }
    idling_ = true;
    EndPausedWheelGesture(Clock::now());
    // Only what is waiting now: a stream of motion cannot keep the call going. Each event may
    // reach the host, which may close this window (or open another) from its callback.
    const unsigned opening = openings_;
    for (int n = PendingWindowEvents(window_->connection);
         n > 0 && window_ != nullptr && openings_ == opening; --n) {
        TakeEvent(ReadWindowEvent(window_->connection));
    }
    if (window_ != nullptr) {
        RedrawWhenDue();
        window_->connection.Flush();
    }
    idling_ = false;
}

void GraphicsX11::TakeEvent(const WindowEvent& event) {
    if (entry_.IsOpen() && TakeEntryEvent(event)) {
        return;
    }
    switch (event.kind) {
    case WindowEvent::Kind::Exposure:
        exposed_.UnionWith(event.area);
        break;
    case WindowEvent::Kind::Destroyed:
        // The host destroyed its window before closing the editor.
        window_->presenter.Release();
        window_->child.Forget();
        break;
    default:
        pointer_.Take(event, *this);
        break;
    }
}

// Exposed parts are shown again from the canvas at once; when the step is due they join the dirty
// controls' area in one repaint and one present.
void GraphicsX11::RedrawWhenDue() {
    Bounds dirty;
    if (pacing_.Due(RedrawPacing::Clock::now()) && CollectDirty(dirty)) {
        dirty.UnionWith(exposed_);
        Repaint(dirty);
    } else if (!exposed_.IsEmpty()) {
        PresentRect(exposed_);
    }
    exposed_ = Bounds{};
}
