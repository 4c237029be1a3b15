// EditorTooltip: the tooltip window of an editor whose tooltips flag is on (this program never
// sets it). The hovered control becomes the tooltip control, the system reports the hover and
// its text is shown; leaving the window or pressing a button hides it. UI thread.
#pragma once

#include <windows.h>

class EditorTooltip {
public:
    EditorTooltip() = default;
    ~EditorTooltip() { Destroy(); }
    EditorTooltip(const EditorTooltip&) = delete;
    EditorTooltip& operator=(const EditorTooltip&) = delete;

    // A topmost tooltip window owned by the editor window, with the editor as its one tool. False
    // (and nothing left behind) when any step fails.
    bool Create(HWND editor, HINSTANCE instance);
    void Destroy();

    void Show(const char* text);
    void Hide();

    int ControlIndex() const { return controlIndex_; }
    void SetControlIndex(int index) { controlIndex_ = index; }

private:
    void UpdateText(const char* text);

    HWND window_ = nullptr;
    HWND editor_ = nullptr;
    bool shown_ = false;
    int controlIndex_ = -1;
};
