// GraphicsWin32: the editor's Windows side. A child window inside the host's editor frame, its
// timer at the frame rate, the copy of the canvas to the screen, the translation of window
// messages into the graphics context's Handle operations, the text entry box, popup menus,
// tooltips, and the dialogs and system services. It holds no editor logic: what it learns goes
// to GraphicsContext, what it shows comes from there.
//
// Everything here runs on the thread that created the window (the host's user-interface thread)
// and takes no lock. The timer and the paint run from the host's message loop, never inside a
// dispatcher request. The timer's redraw step repaints the dirty controls into the canvas; a
// paint only copies the canvas to the screen.
//
// The members are defined by concept: window_lifetime.cpp, window_procedure.cpp,
// redraw_win32.cpp, text_entry_win32.cpp, popup_menu.cpp, editor_resize.cpp, window_dpi.cpp,
// cursor_win32.cpp, dialogs.cpp, folders.cpp, web_address.cpp and clipboard.cpp.
#pragma once

#include "editor/win32/editor_tooltip.h"
#include "editor/win32/host_main_window.h"
#include "editor/win32/text_entry_box.h"
#include "editor/windowless_graphics.h"

#include <windows.h>

class GraphicsWin32 : public WindowlessGraphics {
public:
    GraphicsWin32(PluginCore* plugin, ModuleHandle module);
    ~GraphicsWin32() override;

    // --- Window, redraw and input.
    bool PresentRect(const Bounds& rect) override;
    void CancelTextEntry() override;
    void SetEditorSize(int width, int height) override;
    const char* BackendName() override { return "Windows GDI"; }
    MenuList* RunPopupMenu(MenuList& list, const Bounds& rect) override;
    void BeginTextEntry(Control* control, const TextStyle& style, const Bounds& rect,
                        const char* text, PluginParam* param) override;
    NativeWindow OpenEditorWindow(NativeWindow parent) override;
    void CloseEditorWindow() override;
    NativeWindow WindowHandle() override { return window_; }
    void ConcealCursor() override;
    void RevealCursor() override;
    bool CanOpenWindows() const override { return true; }
    // The parent's DPI over 96 where the system tells a window's own (per monitor), the
    // system's DPI otherwise.
    double SystemScale(NativeWindow parent) override;

    // --- Dialogs and system services.
    int ShowAlert(const char* text, const char* caption, int type) override;
    void HostFolder(TextBuffer& out) override;
    void PluginFolder(TextBuffer& out) override;
    void DesktopFolder(TextBuffer& out) override;
    void AppDataFolder(TextBuffer& out, bool shared) override;
    void ChooseFile(TextBuffer& file, int action, TextBuffer& folder,
                    const char* extensions) override;
    bool ChooseColour(Argb& colour, const char* prompt) override;
    bool OpenWebAddress(const char* address, const char* caption, const char* confirm,
                        const char* error) override;
    bool ReadClipboardText(TextBuffer& out) override;

private:
    static constexpr UINT_PTR RedrawTimer = 2;

    // The procedure of the class "CrescendaEditorWnd" and of the subclassed text entry box; both
    // find their object through the editor window's user data.
    static LRESULT CALLBACK WindowProcedure(HWND window, UINT message, WPARAM wParam,
                                            LPARAM lParam);
    static LRESULT CALLBACK EntryProcedure(HWND box, UINT message, WPARAM wParam, LPARAM lParam);
    static GraphicsWin32* FromWindow(HWND window);

    HINSTANCE Instance() const { return static_cast<HINSTANCE>(Module()); }

    // window_lifetime.cpp
    LRESULT OnCreate(HWND window);
    void CreateTooltip();
    // The entry, the tooltip and the timer go before the window does.
    void ReleaseWindowParts();
    // The window was destroyed along with the host's window, without a close.
    void OnDestroyedWithParent(UINT message);
    // The window goes without a word to the plug-in (the destructor's part of a close).
    void DestroyEditorWindow();

    // window_procedure.cpp
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT HandleMouseMessage(UINT message, WPARAM wParam, LPARAM lParam);
    void OnMouseMove(WPARAM wParam, LPARAM lParam);
    void OnButtonDown(WPARAM wParam, LPARAM lParam);
    void OnButtonUp(WPARAM wParam, LPARAM lParam);
    void OnDoubleClick(WPARAM wParam, LPARAM lParam);
    void OnWheel(WPARAM wParam, LPARAM lParam);
    void OnHover();
    void OnLeave();
    // Another window took the mouse (not a menu of ours): the gesture it held ends.
    void OnCaptureChanged(HWND taker);
    void TrackMouse();
    LRESULT OnKey(UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT ColourEntryBox(HDC deviceContext);

    // window_dpi.cpp
    static bool IsDpiChange(UINT message);
    // The window's monitor or the system's setting took another DPI: the plug-in's adapter lets
    // the editor follow and tells the host of the new size.
    void OnDpiChanged(UINT message, WPARAM wParam);

    // redraw_win32.cpp
    void OnPaint();
    void OnTick();
    void RedrawStep();

    // text_entry_win32.cpp
    LRESULT HandleEntryMessage(HWND box, UINT message, WPARAM wParam, LPARAM lParam);

    HWND window_ = nullptr;
    TextEntryBox entry_;
    EditorTooltip tooltip_;
    HostMainWindow hostWindow_;
    COLORREF customColours_[16] = {}; // the colour dialog's, kept from one dialog to the next
    bool cursorHidden_ = false;
    bool menuOpen_ = false; // a popup menu of ours holds the mouse
    POINT savedCursor_{-1, -1};
};
