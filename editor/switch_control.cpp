#include "editor/switch_control.h"

void SwitchControl::Press(int /*x*/, int /*y*/, const MouseKeys& /*keys*/) {
    const int n = Strip().frameCount;
    double value = Value() + (n > 1 ? 1.0 / (n - 1) : 1.0);
    if (value > 1.001) {
        value = 0.0;
    }
    SetValue(value);
    Touch(true);
}

void SwitchControl::DoubleClick(int x, int y, const MouseKeys& keys) {
    Press(x, y, keys);
}
