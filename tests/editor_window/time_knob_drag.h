// The user's part of the real-time tests: a second of pointer moves 10 ms apart over the editor's
// Time knob, with the button held when dragging; run(milliseconds) turns the host's loop between
// moves.
#pragma once

#include "host/host_window.h"

template <typename RunLoop>
void MoveOverTheTimeKnob(HostWindow& window, bool drag, RunLoop run) {
    constexpr int X = 133; // the Time knob's centre, as the editor's layout places it
    constexpr int Y = 167;
    window.MoveMouse(X, Y);
    if (drag) {
        window.PressButton(HostWindow::Button::Left, {});
    }
    for (int move = 0; move < 100; ++move) {
        window.MoveMouse(X, Y - (move % 10) * 3);
        run(10);
    }
    if (drag) {
        window.ReleaseButton(HostWindow::Button::Left, {});
    }
    run(60);
}
