#include "editor/win32/message_translation.h"

MouseKeys MouseKeysFrom(WPARAM keyFlags) {
    MouseKeys keys;
    keys.left = (keyFlags & MK_LBUTTON) != 0;
    keys.right = (keyFlags & MK_RBUTTON) != 0;
    keys.shift = (keyFlags & MK_SHIFT) != 0;
    keys.control = (keyFlags & MK_CONTROL) != 0;
    keys.alt = (GetKeyState(VK_MENU) & 0x8000) != 0;
    return keys;
}

POINT MessagePoint(LPARAM position) {
    POINT point;
    point.x = static_cast<short>(LOWORD(position));
    point.y = static_cast<short>(HIWORD(position));
    return point;
}

int WheelSteps(WPARAM wheelParam) {
    return static_cast<short>(HIWORD(wheelParam)) / WHEEL_DELTA;
}

// Only virtual-key codes are mapped: the codes 97 to 122 are the numeric keypad and F1 to F11,
// never letters, so they go to the host like every other key the editor does not use.
bool KeyCodeForVirtualKey(WPARAM virtualKey, KeyCode& code) {
    switch (virtualKey) {
    case VK_SPACE:
        code = KeySpace;
        return true;
    case VK_UP:
        code = KeyUp;
        return true;
    case VK_DOWN:
        code = KeyDown;
        return true;
    case VK_LEFT:
        code = KeyLeft;
        return true;
    case VK_RIGHT:
        code = KeyRight;
        return true;
    default:
        break;
    }
    if (virtualKey >= '0' && virtualKey <= '9') {
        code = static_cast<KeyCode>(KeyDigit0 + static_cast<int>(virtualKey - '0'));
        return true;
    }
    if (virtualKey >= 'A' && virtualKey <= 'Z') {
        code = static_cast<KeyCode>(KeyLetterA + static_cast<int>(virtualKey - 'A'));
        return true;
    }
    return false;
}

bool IsMouseMessage(UINT message) {
    return (message >= WM_MOUSEFIRST && message <= WM_MOUSELAST) || message == WM_MOUSEHOVER ||
           message == WM_MOUSELEAVE;
}
