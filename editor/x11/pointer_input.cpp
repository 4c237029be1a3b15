#include "editor/x11/pointer_input.h"

#include "editor/graphics_context.h"

#include <cstdlib>

namespace {

// The keys as the event leaves them: a press adds its button, a release takes it away.
MouseKeys KeysAfter(const WindowEvent& event) {
    MouseKeys keys = event.keys;
    const bool down = event.kind == WindowEvent::Kind::Press;
    if (event.button == WindowEvent::LeftButton) {
        keys.left = down;
    } else if (event.button == WindowEvent::RightButton) {
        keys.right = down;
    }
    return keys;
}

} // namespace

void PointerInput::Reset() {
    captured_ = false;
    leaveExpected_ = false;
    firstPress_ = WindowEvent{};
}

void PointerInput::Take(const WindowEvent& event, GraphicsContext& graphics) {
    switch (event.kind) {
    case WindowEvent::Kind::Press:
        Press(event, graphics);
        break;
    case WindowEvent::Kind::Release:
        Release(event, graphics);
        break;
    case WindowEvent::Kind::Motion:
    case WindowEvent::Kind::Enter:
        Move(event, graphics);
        break;
    case WindowEvent::Kind::Leave:
        Leave(graphics);
        break;
    default:
        break;
    }
}

void PointerInput::Press(const WindowEvent& event, GraphicsContext& graphics) {
    const MouseKeys keys = KeysAfter(event);
    switch (event.button) {
    case WindowEvent::WheelUp:
    case WindowEvent::WheelDown:
        graphics.HandleWheel(event.x, event.y, keys, event.button == WindowEvent::WheelUp ? 1 : -1);
        return;
    case WindowEvent::LeftButton:
    case WindowEvent::RightButton:
        break;
    default:
        return; // the middle and further buttons mean nothing to the editor
    }
    if (CompletesDoubleClick(event)) {
        if (event.button == WindowEvent::LeftButton &&
            graphics.HandleDoubleClick(event.x, event.y, keys)) {
            captured_ = true;
        }
        return;
    }
    captured_ = true;
    graphics.HandlePress(event.x, event.y, keys);
}

void PointerInput::Release(const WindowEvent& event, GraphicsContext& graphics) {
    if (event.button != WindowEvent::LeftButton && event.button != WindowEvent::RightButton) {
        return;
    }
    captured_ = false;
    graphics.HandleRelease(event.x, event.y, KeysAfter(event));
}

void PointerInput::Move(const WindowEvent& event, GraphicsContext& graphics) {
    if (event.keys.left || event.keys.right) {
        if (captured_) {
            graphics.HandleDrag(event.x, event.y, event.keys);
        }
        return;
    }
    if (graphics.HandleHover(event.x, event.y, event.keys)) {
        leaveExpected_ = true;
    }
}

void PointerInput::Leave(GraphicsContext& graphics) {
    if (leaveExpected_) {
        leaveExpected_ = false;
        graphics.HandleLeave();
    }
}

bool PointerInput::CompletesDoubleClick(const WindowEvent& press) {
    const bool second = firstPress_.button == press.button &&
                        press.time - firstPress_.time <= DoubleClickMilliseconds &&
                        std::abs(press.x - firstPress_.x) <= DoubleClickDistance &&
                        std::abs(press.y - firstPress_.y) <= DoubleClickDistance;
    firstPress_ = second ? WindowEvent{} : press; // a third press starts again
    return second;
}
