// GraphicsX11: the editor's Linux window. effEditOpen creates it as a child of the host's X11
// window on a connection of its own; all window work (events, the redraw step, copying dirty
// rectangles to the server) happens inside the host's idle calls, with no thread and no timer of
// its own. The dialogs and system services keep the failure results of WindowlessGraphics.
//
// Threads: hosts open and close on their GUI thread and may idle from another (Ardour does). The
// window mutex guards the window's state against that; it is taken without the instance lock
// held, and the instance lock is reached under it only through the controls' parameter changes
// (vst2/requests_editor_window.cpp gives the order). Values from the host reach the controls
// through atomics, never through this mutex, so the audio thread never waits for a repaint or for
// the X server.
#pragma once

#include "editor/windowless_graphics.h"
#include "editor/x11/pointer_input.h"
#include "editor/x11/redraw_pacing.h"

#include <memory>
#include <mutex>

class GraphicsX11 : public WindowlessGraphics {
public:
    GraphicsX11(PluginCore* plugin, ModuleHandle module);
    ~GraphicsX11() override;

    const char* BackendName() override { return "X11"; }
    bool CanOpenWindows() const override { return true; }

    // parent: the host's X11 window id. Null when there is no X server, the parent is no window,
    // or its visual is not 24- or 32-bit TrueColor. An open window is closed first; the new one
    // takes its place in the parent.
    NativeWindow OpenEditorWindow(NativeWindow parent) override;
    void CloseEditorWindow() override;
    NativeWindow WindowHandle() override;
    bool PresentRect(const Bounds& rect) override;
    // The pending events, then the redraw step when it is due, then one flush. UI thread.
    void IdleEditorWindow() override;
    // The display's Xft.dpi over 96, through the open window's connection or a short one of its
    // own; 1.0 without a server or a setting.
    double SystemScale(NativeWindow parent) override;
    // Under the window mutex (hosts idle from another thread); an open window takes the new size.
    void ChangeScale(int percent) override;

private:
    struct OpenWindow; // the connection, the window and its presenter

    void TakeEvent(const WindowEvent& event);
    void RedrawWhenDue();

    // Recursive: a host may close or reopen from a callback the idle call's gesture makes.
    std::recursive_mutex windowMutex_;
    std::unique_ptr<OpenWindow> window_;
    PointerInput pointer_;
    RedrawPacing pacing_;
    Bounds exposed_; // what the server asked to be shown again since the last present
    bool idling_ = false;
    unsigned openings_ = 0; // tells an idle call that its window was replaced under it
};
