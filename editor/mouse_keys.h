// MouseKeys: the buttons and modifier keys held during one mouse event.
#pragma once

struct MouseKeys {
    bool left = false;
    bool right = false;
    bool shift = false;
    bool control = false;
    bool alt = false;
};
