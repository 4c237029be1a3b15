// CanvasTextEntry: the text entry a window class without native edit boxes (the X11 window) draws
// on the canvas over the prompt's rectangle: the typed text and a caret in the control's entry
// colours. It opens holding the current value, which the first key replaces (as a selected text
// is). Return applies the text through the graphics context as one gesture; a refused text stays
// open and shows why (the next key starts the text again); Escape closes it. The window
// takes the keyboard only while an entry is open and hands keys here. UI thread.
#pragma once

#include "editor/bounds.h"
#include "editor/text_style.h"

class Control;
class GraphicsContext;
class PluginParam;

enum class EntryKey { Character, Backspace, Return, Escape, Other };

class CanvasTextEntry {
public:
    static constexpr int MaxText = 32; // terminator included

    void Open(Control* control, PluginParam* param, const TextStyle& style, const Bounds& rect,
              const char* text, int maxLength);
    // Forgets the entry; the window repaints Area() from the controls.
    void Close();
    // True when the key closed the entry (applied or cancelled).
    bool TakeKey(GraphicsContext& graphics, EntryKey key, char character);
    // Draws the box over the canvas; idempotent, so any repaint of the area may call it again.
    void Paint(GraphicsContext& graphics);

    bool IsOpen() const { return control_ != nullptr; }
    const Bounds& Area() const { return area_; }
    const char* Text() const { return text_; }
    bool ShowsRefusal() const { return refused_; }

private:
    void Append(char character);

    Control* control_ = nullptr; // not owned
    PluginParam* param_ = nullptr;
    TextStyle style_;
    Bounds area_;
    char text_[MaxText] = {};
    int maxLength_ = MaxText - 1;
    bool replaced_ = false; // the first key replaces text_ (the value it opened with, or why)
    bool refused_ = false;  // text_ holds why the last text was refused
};
