#include "editor/win32/window_class.h"

#include "editor/win32/noted_calls.h"

namespace {

int gUseCount = 0;
// Still registered although no window is counted: the last window was destroyed with its parent,
// and a class cannot be unregistered while one of its windows is being destroyed.
bool gRegistered = false;
double gFrameRate = 25.0;

} // namespace

bool EditorWindowClass::Acquire(HINSTANCE instance, WNDPROC procedure) {
    if (gUseCount == 0 && !gRegistered) {
        WNDCLASSA windowClass{};
        windowClass.style = CS_DBLCLKS; // double clicks are delivered
        windowClass.lpfnWndProc = procedure;
        windowClass.hInstance = instance;
        windowClass.hCursor = LoadCursorA(nullptr, IDC_ARROW);
        windowClass.lpszClassName = Name;
        // No background brush: the window never shows the class background before its paint.
        if (Noted::RegisterClassA(&windowClass) == 0) {
            return false;
        }
        gRegistered = true;
    }
    ++gUseCount;
    return true;
}

void EditorWindowClass::Release(HINSTANCE instance) {
    if (gUseCount <= 0) {
        return;
    }
    --gUseCount;
    if (gUseCount == 0 && Noted::UnregisterClassA(Name, instance)) {
        gRegistered = false;
    }
}

void EditorWindowClass::SetFrameRate(double framesPerSecond) {
    gFrameRate = framesPerSecond;
}

UINT EditorWindowClass::TimerInterval() {
    if (!(gFrameRate >= 1.0)) {
        return 1000; // a rate below one frame a second (or none) still redraws once a second
    }
    const double interval = 1000.0 / gFrameRate;
    return interval < 1.0 ? 1u : static_cast<UINT>(interval);
}
