// PluginEditor: what the core and its adapters need of the editor they carry. The core owns it
// and tells it about values through ParamListener; the adapters open, idle and close its window
// inside the host's.
#pragma once

#include "framework/param_listener.h"

#include <type_traits>

// The window system's handle of a window: an HWND on Windows, an X11 window id elsewhere.
using NativeWindow = void*;

class PluginEditor : public ParamListener {
public:
    virtual ~PluginEditor() = default;

    // The canvas at the editor's size; the core calls it when the editor is attached.
    virtual void PrepareCanvas() = 0;
    // Whether this build's window class can ever open a window. Adapters announce an editor to
    // the host only when it can: a host would otherwise offer an editor that never appears.
    virtual bool CanOpenWindows() const = 0;
    virtual int Width() const = 0;
    virtual int Height() const = 0;
    // The editor window inside the host's parent window, or null when none could be made.
    virtual NativeWindow OpenEditorWindow(NativeWindow parent) = 0;
    virtual void CloseEditorWindow() = 0;
    // The host's idle call, outside the instance lock. A window class whose window system gives
    // it no timer of its own (X11) does all its window work here; others ignore it.
    virtual void IdleEditorWindow() = 0;
    // A descriptor the host's loop may watch for the open window's events (the X connection),
    // or -1 when the window needs no such watch.
    virtual int WatchedDescriptor() { return -1; }
    // Whether the editor's window is open.
    virtual bool HasWindow() = 0;
    // A host's own scale hint (a factor, 1.0 = 100 percent); from then on it wins over the
    // system's. UI thread, outside the instance lock.
    virtual void SetHostScale(double factor) = 0;
    // The system's scale for a window inside parent (null: the screen's), unless a host has given
    // its own: before the size is answered and when the window opens.
    virtual void AdoptSystemScale(NativeWindow parent) = 0;
    // The system's scale changed under the open window (a factor); followed unless a host has
    // given its own. Adapters call it inside ChangeAndReportSize (HostLink::SystemScaleChanged).
    virtual void FollowSystemScale(double factor) = 0;
    // The plug-in is about to go: returns once no thread is still telling the host about a
    // gesture (the editor's notices go out after its window lock is free).
    virtual void WaitForHostNotices() = 0;
};

// Runs change (which may resize the editor: a scale hint, opening on another monitor); when it
// succeeds (a change returning nothing always does) and the open window's size moved,
// report(width, height) asks the host to resize its window. Adapters call it with no lock of
// theirs held, as every call to the host.
template <typename Change, typename Report>
bool ChangeAndReportSize(PluginEditor& editor, Change change, Report report) {
    const int width = editor.Width();
    const int height = editor.Height();
    if constexpr (std::is_void_v<decltype(change())>) {
        change();
    } else if (!change()) {
        return false;
    }
    if (editor.HasWindow() && (editor.Width() != width || editor.Height() != height)) {
        report(editor.Width(), editor.Height());
    }
    return true;
}
