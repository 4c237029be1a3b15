// Redraw and present: the timer tick collects the dirty controls, repaints them into the canvas
// and invalidates their area; the paint that follows copies the canvas to the screen. All of
// it runs from the host's message loop, outside every dispatcher request. UI thread.
#include "editor/control.h"
#include "editor/win32/graphics_win32.h"
#include "editor/win32/noted_calls.h"

namespace {

RECT RectOf(const Bounds& bounds) {
    return RECT{bounds.left, bounds.top, bounds.right, bounds.bottom};
}

} // namespace

// One BitBlt of the rectangle from the canvas, within the paint's update region.
bool GraphicsWin32::PresentRect(const Bounds& rect) {
    if (window_ == nullptr) {
        return false;
    }
    PAINTSTRUCT paint{};
    HDC screen = Noted::BeginPaint(window_, &paint);
    if (screen == nullptr) {
        return false;
    }
    PX_SysBitmap* canvas = Canvas();
    if (canvas != nullptr && canvas->DeviceContext() != nullptr) {
        BitBlt(screen, rect.left, rect.top, rect.Width(), rect.Height(),
               static_cast<HDC>(canvas->DeviceContext()), rect.left, rect.top, SRCCOPY);
    }
    Noted::EndPaint(window_, &paint);
    return true;
}

// A paint copies the canvas: whether the redraw step invalidated the area or the system did (a
// window moved away), the canvas already holds what belongs there. Dirty controls are repainted
// only by the redraw step, so a paint never marks clean a control it did not draw. Validating
// the rest keeps a paint that presented nothing (no canvas) from coming back at once, forever.
void GraphicsWin32::OnPaint() {
    RECT update{};
    if (!GetUpdateRect(window_, &update, FALSE)) {
        return;
    }
    PresentRect(Bounds{update.left, update.top, update.right, update.bottom});
    if (window_ != nullptr) {
        ValidateRect(window_, &update);
    }
}

// The host hears of a wheel gesture's end here and may close the editor inside that call.
void GraphicsWin32::OnTick() {
    EndPausedWheelGesture(Clock::now());
    if (window_ == nullptr) {
        return;
    }
    if (entry_.IsOpen() && entry_.State() != EditIdle) {
        entry_.Step(*this);
    } else {
        RedrawStep();
    }
}

// The area of an open entry's control and of its box is left out, so the box is never painted
// over; the next tick is then skipped.
void GraphicsWin32::RedrawStep() {
    Bounds dirty;
    if (CollectDirty(dirty)) {
        RepaintCanvas(dirty);
        const RECT area = RectOf(dirty);
        InvalidateRect(window_, &area, FALSE);
    }
    if (entry_.IsOpen()) {
        const RECT edited = RectOf(entry_.EditedControl()->Area());
        const RECT box = RectOf(entry_.Area());
        ValidateRect(window_, &edited);
        ValidateRect(window_, &box);
        UpdateWindow(window_);
        entry_.SetState(EditSkipTick);
    } else {
        UpdateWindow(window_);
    }
}
