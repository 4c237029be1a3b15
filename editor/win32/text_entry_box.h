// TextEntryBox: the in-place "EDIT" box a parameter prompt opens on the editor, with its font and
// its state machine. The box is subclassed: its messages go first to the editor's entry
// procedure (GraphicsWin32::EntryProcedure), which hands them to HandleBoxMessage. A committed or
// cancelled entry takes effect at the editor's next timer tick (Step). UI thread.
#pragma once

#include "editor/bounds.h"
#include "editor/text_style.h"

#include <cstdint>
#include <windows.h>

class Control;
class GraphicsContext;
class PluginParam;

enum EditState : std::int32_t {
    EditIdle = 0,
    EditFocused = 1,  // the box has just taken the focus: the next tick is skipped
    EditSkipTick = 2, // the last tick redrew the editor around the box: this one is skipped
    EditCancel = 3,   // close the box at the next tick
    EditCommit = 4,   // apply the text and close the box at the next tick
};

class TextEntryBox {
public:
    TextEntryBox() = default;
    ~TextEntryBox() { Close(); }
    TextEntryBox(const TextEntryBox&) = delete;
    TextEntryBox& operator=(const TextEntryBox&) = delete;

    // Opens the box over rect of the editor window holding text, focused with all of it selected,
    // and subclasses it with procedure. Nothing when control is null or a box is open; false when
    // the box could not be made.
    bool Open(HWND editor, HINSTANCE instance, WNDPROC procedure, Control* control,
              const TextStyle& style, const Bounds& rect, const char* text, PluginParam* param);
    // Destroys the box and its font and forgets the entry; the state returns to EditIdle.
    void Close();

    // The timer tick's step while a box is open and the state is not EditIdle: a commit applies
    // the text to the control through graphics and closes the box, or, when the text is refused,
    // shows why in the box (selected, so typing replaces it) and keeps it open; a cancel closes
    // the box; a focused or skipped tick only returns to EditIdle.
    void Step(GraphicsContext& graphics);

    // The subclassed box's messages, after the editor has hidden its tooltip.
    LRESULT HandleBoxMessage(HWND box, UINT message, WPARAM wParam, LPARAM lParam);

    bool IsOpen() const { return box_ != nullptr; }
    EditState State() const { return state_; }
    void SetState(EditState state) { state_ = state; }
    Control* EditedControl() const { return control_; }
    HWND Box() const { return box_; }
    const Bounds& Area() const { return area_; }

private:
    // Reads the box's text and gives the control its value (with a parameter) or its text; false
    // when the parameter refused it, the reason then in the box.
    bool Apply(GraphicsContext& graphics);

    HWND box_ = nullptr;
    Bounds area_;
    HFONT font_ = nullptr;
    Control* control_ = nullptr;   // not owned
    PluginParam* param_ = nullptr; // not owned
    WNDPROC previousProcedure_ = nullptr;
    EditState state_ = EditIdle;
};
