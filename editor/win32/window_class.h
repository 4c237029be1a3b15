// The window class "CrescendaEditorWnd", shared by every editor window of this module: registered
// with the first window of the process and unregistered with the last. Also the frame rate of the
// most recently opened window, which a new window reads to start its timer. UI thread; the
// process-wide count and rate are only touched from there.
#pragma once

#include <windows.h>

namespace EditorWindowClass {

constexpr const char* Name = "CrescendaEditorWnd";

// Counts one more window; the first registers the class. False (and nothing counted) when the
// class cannot be registered.
bool Acquire(HINSTANCE instance, WNDPROC procedure);
// Counts one window less; the last unregisters the class.
void Release(HINSTANCE instance);

void SetFrameRate(double framesPerSecond);
// The timer interval for the frame rate: trunc(1000 / rate) milliseconds, at least 1.
UINT TimerInterval();

} // namespace EditorWindowClass
