// GraphicsX11: the editor's Linux window. effEditOpen creates it as a child of the host's X11
// window on a connection of its own; all window work (events, the redraw step, copying dirty
// rectangles to the server) happens inside the host's idle calls, with no thread and no timer of
// its own. The dialogs and system services keep the failure results of WindowlessGraphics.
//
// Threads: hosts open and close on their GUI thread and may idle from another (Ardour does). The
// window mutex guards the window's state against that. Nothing under it calls the host or the
// plug-in base: the gestures' notices wait until it is free (HostNotices), so a host may close
// the editor from inside its automate handler. Values from the host reach the controls through
// atomics, never through this mutex, so the audio thread never waits for a repaint or for the X
// server.
#pragma once

#include "editor/canvas_text_entry.h"
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
    // An open text entry is drawn over the canvas before the copy.
    bool PresentRect(const Bounds& rect) override;
    // A text entry drawn on the canvas; the window holds the keyboard while it is open.
    void BeginTextEntry(Control* control, const TextStyle& style, const Bounds& rect,
                        const char* text, PluginParam* param) override;
    void CancelTextEntry() override;
    // The pending events, then the redraw step when it is due, then one flush. UI thread.
    void IdleEditorWindow() override;
    // The open window's X connection.
    int WatchedDescriptor() override;
    // The display's Xft.dpi over 96, through the open window's connection or a short one of its
    // own; 1.0 without a server or a setting.
    double SystemScale(NativeWindow parent) override;
    // Under the window mutex (hosts idle from another thread); an open window takes the new size.
    void ChangeScale(int percent) override;

private:
    struct OpenWindow; // the connection, the window and its presenter

    // Held around every use of the window mutex: taken before it, released after it.
    class NoticesHeld {
    public:
        explicit NoticesHeld(GraphicsContext& graphics) : graphics_(graphics) {
            graphics_.HoldHostNotices();
        }
        ~NoticesHeld() { graphics_.ReleaseHostNotices(); }
        NoticesHeld(const NoticesHeld&) = delete;
        NoticesHeld& operator=(const NoticesHeld&) = delete;

    private:
        GraphicsContext& graphics_;
    };

    void TakeEvent(const WindowEvent& event);
    // Keys, focus and presses while a text entry is open; true when the event was the entry's.
    bool TakeEntryEvent(const WindowEvent& event);
    // Gives the keyboard back and repaints what the entry covered.
    void CloseEntry();
    void RedrawWhenDue();

    // Recursive: a host may close or reopen from a callback the idle call's gesture makes.
    std::recursive_mutex windowMutex_;
    std::unique_ptr<OpenWindow> window_;
    PointerInput pointer_;
    CanvasTextEntry entry_;
    RedrawPacing pacing_;
    Bounds exposed_; // what the server asked to be shown again since the last present
    bool idling_ = false;
    unsigned openings_ = 0; // tells an idle call that its window was replaced under it
};
