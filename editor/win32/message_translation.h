// What a window message's parameters mean to the editor: the buttons and modifier keys of a mouse
// message, its position, the wheel's steps and the editor's number for a key. UI thread.
#pragma once

#include "editor/key_code.h"
#include "editor/mouse_keys.h"

#include <windows.h>

// Buttons, shift and control from the message's key flags; alt from the keyboard state.
MouseKeys MouseKeysFrom(WPARAM keyFlags);

// The signed low and high words of a mouse message's position.
POINT MessagePoint(LPARAM position);

// Whole notches of the wheel (120 each, truncated toward zero): a partial notch gives 0.
int WheelSteps(WPARAM wheelParam);

// The editor's number for a virtual key: space, the arrows, the digits and the letters. False for
// every other key, which then goes to the host.
bool KeyCodeForVirtualKey(WPARAM virtualKey, KeyCode& code);

// Mouse messages the editor window handles or passes on.
bool IsMouseMessage(UINT message);
