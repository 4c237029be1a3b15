// WindowlessGraphics: a graphics context with no window. Every window operation answers that
// there is none and every dialog gives its failure result (false, an empty text or null); the
// images come from the module's PNG resources. Tests use it to run the editor without a window.
//
// The window classes (editor/win32/, editor/x11/) start from it and override what their platform
// can do: OpenEditorWindow, CloseEditorWindow, WindowHandle and PresentRect for the window,
// IdleEditorWindow where the window system gives the window no timer of its own (X11), and
// CanOpenWindows (true once a window can be made: the effect record then announces the editor);
// where the platform has them, the prompts, dialogs and services (BeginTextEntry,
// CancelTextEntry, RunPopupMenu, ShowAlert, the folders, ChooseFile, ChooseColour,
// OpenWebAddress, ReadClipboardText), the cursor (ConcealCursor, RevealCursor) and SetEditorSize.
// They drive the editor only through GraphicsContext: RedrawDirtyControls (editor/redraw_step.h)
// or CollectDirty and Repaint at every tick, the Handle operations for input, ClearCapture when a
// menu swallows the release, and Touch(false) on every control once a window exists.
#pragma once

#include "editor/graphics_context.h"
#include "platform/module_handle.h"

class WindowlessGraphics : public GraphicsContext {
public:
    WindowlessGraphics(PluginCore* plugin, ModuleHandle module);

    // Nothing to copy the canvas to: false.
    bool PresentRect(const Bounds& rect) override;
    void CancelTextEntry() override {}
    int ShowAlert(const char* text, const char* caption, int type) override;
    MenuList* RunPopupMenu(MenuList& list, const Bounds& rect) override;
    void BeginTextEntry(Control* control, const TextStyle& style, const Bounds& rect,
                        const char* text, PluginParam* param) override;
    void HostFolder(TextBuffer& out) override;
    void PluginFolder(TextBuffer& out) override;
    void DesktopFolder(TextBuffer& out) override;
    void AppDataFolder(TextBuffer& out, bool shared) override;
    void UserAppDataFolder(TextBuffer& out) override;
    void ChooseFile(TextBuffer& file, int action, TextBuffer& folder,
                    const char* extensions) override;
    bool ChooseColour(Argb& colour, const char* prompt) override;
    bool OpenWebAddress(const char* address, const char* caption, const char* confirm,
                        const char* error) override;
    NativeWindow OpenEditorWindow(NativeWindow parent) override;
    void CloseEditorWindow() override {}
    NativeWindow WindowHandle() override { return nullptr; }
    bool ReadClipboardText(TextBuffer& out) override;
    void ReservedHookC() override {}
    PX_Bitmap* LoadImageResource(int id, const char* name) override;
    ImageSize ReadImageResourceSize(int id, const char* name) override;
    bool CanOpenWindows() const override { return false; }

protected:
    ModuleHandle Module() const { return module_; }

private:
    ModuleHandle module_;
};
