// Mouse and key events from the window, routed to the controls. A press captures the control it
// hits, which then receives the drags, the release, the wheel and the keys. UI thread.
#include "editor/control.h"
#include "editor/graphics_context.h"
#include "framework/plugin_core.h"

namespace {

// Hosts of this format show a parameter's menu of their own on a right press.
bool HostShowsParamMenu(AdapterKind kind) {
    return kind == AdapterKind::Vst3;
}

} // namespace

int GraphicsContext::TopMostHit(int x, int y) const {
    for (int i = controls_.Count() - 1; i >= 0; --i) {
        Control* control = controls_.Get(i);
        if (!control->IsHidden() && !control->IsGreyed() && control->HitTest(x, y)) {
            return i;
        }
    }
    return -1;
}

Control* GraphicsContext::CapturedOrTopMost(int x, int y) const {
    Control* captured = controls_.Get(capturedIndex_);
    return captured != nullptr ? captured : controls_.Get(TopMostHit(x, y));
}

void GraphicsContext::ClearCapture() {
    capturedIndex_ = -1;
    lastX_ = -1;
    lastY_ = -1;
}

// Hosts pair begin-edit and end-edit per parameter: a gesture left open (a press whose release
// never came) is closed before anything else, and a release without a press sends nothing.
void GraphicsContext::EndOpenGesture() {
    const int param = gestureParam_;
    gestureParam_ = -1;
    wheelGesture_ = false;
    if (param >= 0) {
        notices_.Post({HostNotices::Kind::EndEdit, param, 0.0});
    }
}

// Open before the host hears of it: a host that closes the editor inside the call finds the
// gesture to end.
void GraphicsContext::BeginGesture(int paramIndex) {
    gestureParam_ = paramIndex;
    wheelGesture_ = false;
    notices_.Post({HostNotices::Kind::BeginEdit, paramIndex, 0.0});
}

void GraphicsContext::SendParamValue(int paramIndex, double normalised) {
    if (paramIndex < 0) {
        return;
    }
    const bool bracket = gestureParam_ != paramIndex;
    if (bracket) {
        notices_.Post({HostNotices::Kind::BeginEdit, paramIndex, 0.0});
    }
    notices_.Post({HostNotices::Kind::Value, paramIndex, normalised});
    if (bracket) {
        notices_.Post({HostNotices::Kind::EndEdit, paramIndex, 0.0});
    }
}

void GraphicsContext::AbandonGesture() {
    EndOpenGesture();
    ClearCapture();
}

bool GraphicsContext::EndPausedWheelGesture(Clock::time_point now) {
    if (!wheelGesture_ || gestureParam_ < 0 || now - lastNotch_ < WheelPause) {
        return false;
    }
    EndOpenGesture();
    return true;
}

void GraphicsContext::HandlePress(int x, int y, const MouseKeys& keys) {
    EndOpenGesture();
    ClearCapture();
    const int index = TopMostHit(x, y);
    Control* control = controls_.Get(index);
    if (control == nullptr) {
        return;
    }
    capturedIndex_ = index;
    lastX_ = x;
    lastY_ = y;
    const int param = control->ParamIndex();
    if (plugin_ != nullptr && HostShowsParamMenu(plugin_->Adapter()) && keys.right && param >= 0) {
        ClearCapture();
        plugin_->ShowHostParamMenu(param, x, y);
        return;
    }
    if (keys.right && control->PromptsOnRightPress()) {
        ClearCapture(); // the prompt applies its value as a gesture of its own
        control->Press(x, y, keys);
        return;
    }
    if (param >= 0) {
        BeginGesture(param);
    }
    control->Press(x, y, keys);
}

void GraphicsContext::HandleRelease(int x, int y, const MouseKeys& keys) {
    Control* target = CapturedOrTopMost(x, y);
    ClearCapture();
    if (target != nullptr) {
        target->Release(x, y, keys);
    }
    EndOpenGesture();
}

void GraphicsContext::HandleDrag(int x, int y, const MouseKeys& keys) {
    Control* captured = controls_.Get(capturedIndex_);
    if (captured == nullptr || (x == lastX_ && y == lastY_)) {
        return;
    }
    const int dx = x - lastX_;
    const int dy = y - lastY_;
    lastX_ = x;
    lastY_ = y;
    captured->Drag(x, y, dx, dy, keys);
}

bool GraphicsContext::HandleDoubleClick(int x, int y, const MouseKeys& keys) {
    EndOpenGesture();
    ClearCapture();
    const int index = TopMostHit(x, y);
    Control* control = controls_.Get(index);
    if (control == nullptr) {
        return false;
    }
    if (!control->DoubleClickActsAsPress()) {
        control->DoubleClick(x, y, keys);
        return false;
    }
    capturedIndex_ = index;
    lastX_ = x;
    lastY_ = y;
    if (control->ParamIndex() >= 0) {
        BeginGesture(control->ParamIndex()); // a press: the release ends it
    }
    control->Press(x, y, keys);
    return true;
}

// The first notch begins a gesture that stays open while notches follow each other; the window's
// tick ends it after a pause. A wheel turned during a drag belongs to the drag's gesture.
void GraphicsContext::HandleWheel(int x, int y, const MouseKeys& keys, int steps) {
    Control* target = CapturedOrTopMost(x, y);
    if (target == nullptr) {
        return;
    }
    const int param = target->ParamIndex();
    if (param >= 0 && gestureParam_ != param) {
        EndOpenGesture();
        BeginGesture(param);
        wheelGesture_ = true;
    }
    lastNotch_ = Clock::now();
    target->Wheel(x, y, keys, steps);
}

bool GraphicsContext::HandleHover(int x, int y, const MouseKeys& keys) {
    if (!handlesHover_) {
        return false;
    }
    int target = capturedIndex_;
    for (int i = controls_.Count() - 1; target < 0 && i >= 0; --i) {
        Control* control = controls_.Get(i);
        if (!control->IsHidden() && control->HitTest(x, y) &&
            (!control->IsGreyed() || control->HoversWhileGreyed())) {
            target = i;
        }
    }
    if (target < 0) {
        return true; // the control hovered before keeps its state
    }
    lastX_ = x;
    lastY_ = y;
    controls_.Get(target)->Hover(x, y, keys);
    if (hoveredIndex_ >= 0 && hoveredIndex_ != target) {
        if (Control* previous = controls_.Get(hoveredIndex_)) {
            previous->HoverEnd();
        }
    }
    hoveredIndex_ = target;
    return true;
}

void GraphicsContext::HandleLeave() {
    for (int i = 0; i < controls_.Count(); ++i) {
        controls_.Get(i)->HoverEnd();
    }
    hoveredIndex_ = -1;
}

bool GraphicsContext::HandleKey(int x, int y, KeyCode key) {
    Control* target = CapturedOrTopMost(x, y);
    if (target == nullptr || target == controls_.Get(0)) {
        return keyCatcher_ != nullptr && keyCatcher_->Key(x, y, key);
    }
    return target->Key(x, y, key);
}
