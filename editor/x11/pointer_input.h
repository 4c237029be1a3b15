// PointerInput: the editor window's mouse rules, from X11 window events to the graphics context's
// input calls, as the Windows window applies them: a left or right press captures the mouse and
// reaches the control (the middle button is ignored), drags reach the captured control while the
// left or right button is down, a left or right release ends the capture, a second left press
// close in time and place is a double click (and a second right press reaches nothing), each
// wheel notch is one step, and moves without a button hover until the pointer leaves. X has no
// double clicks of its own; they are recognised here from the two presses' times and places. UI
// thread.
#pragma once

#include "editor/x11/window_event.h"

class GraphicsContext;

class PointerInput {
public:
    // Two presses of one button at most this far apart in time and in each direction (the
    // Windows defaults) make a double click.
    static constexpr std::uint32_t DoubleClickMilliseconds = 500;
    static constexpr int DoubleClickDistance = 2;

    // A new window: nothing captured, no earlier press, no leave expected.
    void Reset();
    void Take(const WindowEvent& event, GraphicsContext& graphics);

private:
    void Press(const WindowEvent& event, GraphicsContext& graphics);
    void Release(const WindowEvent& event, GraphicsContext& graphics);
    void Move(const WindowEvent& event, GraphicsContext& graphics);
    void Leave(GraphicsContext& graphics);
    // True for the second press of a double click; otherwise the press becomes the first.
    bool CompletesDoubleClick(const WindowEvent& press);

    bool captured_ = false;
    bool leaveExpected_ = false; // a hover was taken; the leave goes to the controls
    WindowEvent firstPress_;     // button 0: none
};
