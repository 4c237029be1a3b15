// The text entry as the editor window runs it: the box opens over the prompt's rectangle, its
// messages pass through the entry procedure, and the timer applies or drops it (text_entry_box.h).
// UI thread.
#include "editor/win32/graphics_win32.h"

void GraphicsWin32::BeginTextEntry(Control* control, const TextStyle& style, const Bounds& rect,
                                   const char* text, PluginParam* param) {
    if (window_ == nullptr) {
        return;
    }
    entry_.Open(window_, Instance(), &GraphicsWin32::EntryProcedure, control, style, rect, text,
                param);
}

// Without a box there is nothing to cancel; a cancel kept for later would drop the next entry at
// its first tick.
void GraphicsWin32::CancelTextEntry() {
    if (entry_.IsOpen()) {
        entry_.SetState(EditCancel);
    }
}

// The box's owner is found through its parent, the editor window.
LRESULT CALLBACK GraphicsWin32::EntryProcedure(HWND box, UINT message, WPARAM wParam,
                                               LPARAM lParam) {
    GraphicsWin32* graphics = FromWindow(GetParent(box));
    if (graphics == nullptr || graphics->entry_.Box() != box) {
        return DefWindowProcA(box, message, wParam, lParam);
    }
    return graphics->HandleEntryMessage(box, message, wParam, lParam);
}

LRESULT GraphicsWin32::HandleEntryMessage(HWND box, UINT message, WPARAM wParam, LPARAM lParam) {
    tooltip_.Hide();
    return entry_.HandleBoxMessage(box, message, wParam, lParam);
}
