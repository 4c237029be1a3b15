// The editor window's procedure: window messages translated into the graphics context's Handle
// operations. UI thread.
#include "editor/control.h"
#include "editor/win32/graphics_win32.h"
#include "editor/win32/message_translation.h"

namespace {

COLORREF ColourOf(const Argb& colour) {
    return RGB(colour.red, colour.green, colour.blue);
}

bool IsButtonPress(UINT message) {
    return message == WM_LBUTTONDOWN || message == WM_RBUTTONDOWN;
}

} // namespace

// Messages for a window whose object is gone, or for a window the object no longer calls its
// own, get default processing.
LRESULT CALLBACK GraphicsWin32::WindowProcedure(HWND window, UINT message, WPARAM wParam,
                                                LPARAM lParam) {
    if (message == WM_CREATE) {
        const auto* creation = reinterpret_cast<const CREATESTRUCTA*>(lParam);
        auto* graphics = static_cast<GraphicsWin32*>(creation->lpCreateParams);
        if (graphics != nullptr) {
            return graphics->OnCreate(window);
        }
    }
    GraphicsWin32* graphics = FromWindow(window);
    if (graphics == nullptr || graphics->window_ != window) {
        return DefWindowProcA(window, message, wParam, lParam);
    }
    return graphics->HandleMessage(message, wParam, lParam);
}

LRESULT GraphicsWin32::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    if (IsMouseMessage(message)) {
        return HandleMouseMessage(message, wParam, lParam);
    }
    if (IsDpiChange(message)) {
        OnDpiChanged(message, wParam);
        return 0;
    }
    switch (message) {
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
        return 0;
    case WM_PAINT:
        OnPaint();
        return 0;
    case WM_CLOSE:
        CloseEditorWindow();
        return 0;
    case WM_TIMER:
        if (wParam == RedrawTimer) {
            OnTick();
        }
        return 0;
    case WM_CAPTURECHANGED:
        OnCaptureChanged(reinterpret_cast<HWND>(lParam));
        return 0;
    case WM_CTLCOLOREDIT:
        if (entry_.EditedControl() != nullptr) {
            return ColourEntryBox(reinterpret_cast<HDC>(wParam));
        }
        break;
    case WM_KEYDOWN:
    case WM_KEYUP:
        return OnKey(message, wParam, lParam);
    case WM_DESTROY:
    case WM_NCDESTROY: {
        HWND window = window_;
        OnDestroyedWithParent(message);
        return DefWindowProcA(window, message, wParam, lParam);
    }
    default:
        break;
    }
    return DefWindowProcA(window_, message, wParam, lParam);
}

// While the box has just taken the focus, a press in the editor cancels the entry and the other
// mouse messages reach no control.
LRESULT GraphicsWin32::HandleMouseMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    if (entry_.IsOpen() && entry_.State() == EditFocused) {
        if (IsButtonPress(message)) {
            entry_.SetState(EditCancel);
            return 0;
        }
        return DefWindowProcA(window_, message, wParam, lParam);
    }
    switch (message) {
    case WM_MOUSEMOVE:
        OnMouseMove(wParam, lParam);
        return 0;
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
        OnButtonDown(wParam, lParam);
        return 0;
    case WM_LBUTTONUP:
    case WM_RBUTTONUP:
        OnButtonUp(wParam, lParam);
        return 0;
    case WM_LBUTTONDBLCLK:
        OnDoubleClick(wParam, lParam);
        return 0;
    case WM_MOUSEWHEEL:
        OnWheel(wParam, lParam);
        return 0;
    case WM_MOUSEHOVER:
        OnHover();
        return 0;
    case WM_MOUSELEAVE:
        OnLeave();
        return 0;
    default:
        // The middle button and the right and middle double clicks mean nothing to the editor.
        return DefWindowProcA(window_, message, wParam, lParam);
    }
}

// A move with a button held drags only what a press in this window captured.
void GraphicsWin32::OnMouseMove(WPARAM wParam, LPARAM lParam) {
    const MouseKeys keys = MouseKeysFrom(wParam);
    const POINT point = MessagePoint(lParam);
    if (keys.left || keys.right) {
        if (GetCapture() == window_ && !entry_.IsOpen()) {
            HandleDrag(point.x, point.y, keys);
        }
        return;
    }
    if (HandleHover(point.x, point.y, keys)) {
        TrackMouse();
    }
}

void GraphicsWin32::TrackMouse() {
    TRACKMOUSEEVENT tracking{};
    tracking.cbSize = sizeof tracking;
    tracking.dwFlags = TME_LEAVE;
    tracking.hwndTrack = window_;
    tracking.dwHoverTime = HOVER_DEFAULT;
    if (Tooltips() && HoveredIndex() != tooltip_.ControlIndex()) {
        tooltip_.SetControlIndex(HoveredIndex());
        if (HoveredIndex() >= 0) {
            tracking.dwFlags |= TME_HOVER;
        }
        tooltip_.Hide();
    }
    TrackMouseEvent(&tracking);
}

// A press elsewhere in the editor drops an open entry at the next tick.
void GraphicsWin32::OnButtonDown(WPARAM wParam, LPARAM lParam) {
    tooltip_.Hide();
    if (entry_.IsOpen()) {
        entry_.SetState(EditCancel);
        return;
    }
    SetFocus(window_);
    SetCapture(window_);
    const POINT point = MessagePoint(lParam);
    HandlePress(point.x, point.y, MouseKeysFrom(wParam));
}

// The release ends the gesture before the capture goes, so the capture change finds none open.
// Only this window's own capture is released: the host's stays untouched.
void GraphicsWin32::OnButtonUp(WPARAM wParam, LPARAM lParam) {
    const POINT point = MessagePoint(lParam);
    HandleRelease(point.x, point.y, MouseKeysFrom(wParam));
    if (window_ != nullptr && GetCapture() == window_) {
        ReleaseCapture();
    }
}

void GraphicsWin32::OnCaptureChanged(HWND taker) {
    if (taker != window_ && !menuOpen_) {
        AbandonGesture();
    }
}

void GraphicsWin32::OnDoubleClick(WPARAM wParam, LPARAM lParam) {
    const POINT point = MessagePoint(lParam);
    // The host may close the editor inside the gesture's first call.
    if (HandleDoubleClick(point.x, point.y, MouseKeysFrom(wParam)) && window_ != nullptr) {
        SetCapture(window_);
    }
}

// The wheel's position comes in screen coordinates.
void GraphicsWin32::OnWheel(WPARAM wParam, LPARAM lParam) {
    if (entry_.IsOpen()) {
        entry_.SetState(EditCancel);
        return;
    }
    RECT screen{};
    GetWindowRect(window_, &screen);
    const POINT point = MessagePoint(lParam);
    HandleWheel(point.x - screen.left, point.y - screen.top, MouseKeysFrom(LOWORD(wParam)),
                WheelSteps(wParam));
}

void GraphicsWin32::OnHover() {
    Control* control = ControlAt(tooltip_.ControlIndex());
    if (control != nullptr) {
        tooltip_.Show(control->Tooltip());
    }
}

void GraphicsWin32::OnLeave() {
    tooltip_.Hide();
    HandleLeave();
}

// Keys the editor does not use go on to the host's top-level window.
LRESULT GraphicsWin32::OnKey(UINT message, WPARAM wParam, LPARAM lParam) {
    KeyCode code;
    if (message == WM_KEYDOWN && KeyCodeForVirtualKey(wParam, code)) {
        POINT cursor{};
        GetCursorPos(&cursor);
        ScreenToClient(window_, &cursor);
        if (HandleKey(cursor.x, cursor.y, code)) {
            return 0;
        }
    }
    HWND top = GetAncestor(window_, GA_ROOT);
    if (top != nullptr && top != window_) {
        SendMessageA(top, message, wParam, lParam);
    }
    return DefWindowProcA(window_, message, wParam, lParam);
}

// The box's whole background in the entry colour, around the text as well as behind it.
LRESULT GraphicsWin32::ColourEntryBox(HDC deviceContext) {
    const TextStyle& style = entry_.EditedControl()->Style();
    SetBkColor(deviceContext, ColourOf(style.entryBackground));
    SetTextColor(deviceContext, ColourOf(style.entryForeground));
    SetBkMode(deviceContext, OPAQUE);
    SetDCBrushColor(deviceContext, ColourOf(style.entryBackground));
    return reinterpret_cast<LRESULT>(GetStockObject(DC_BRUSH));
}
