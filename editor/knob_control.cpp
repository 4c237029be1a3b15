#include "editor/knob_control.h"

KnobControl::KnobControl(PluginCore* plugin, const Bounds& area, int paramIndex, const Blend& blend,
                         KnobDirection direction, double gearing)
    : Control(plugin, area, paramIndex, blend), direction_(direction), gearing_(gearing) {}

// Vertical extent is top - bottom, negative, so moving up (dy < 0) raises the value.
void KnobControl::Drag(int /*x*/, int /*y*/, int dx, int dy, const MouseKeys& keys) {
    const double gearing = keys.shift || keys.control ? gearing_ * 10.0 : gearing_;
    const bool vertical = direction_ == KnobVertical;
    const int extent = vertical ? area_.top - area_.bottom : area_.right - area_.left;
    if (extent == 0 || gearing == 0.0) {
        return; // a knob without an image has no extent to turn over
    }
    const int moved = vertical ? dy : dx;
    SetValue(Value() + static_cast<double>(moved) / extent / gearing);
    Touch(true);
}

void KnobControl::Wheel(int /*x*/, int /*y*/, const MouseKeys& keys, int steps) {
    const double step = keys.shift || keys.control ? 0.001 : 0.01;
    SetValue(Value() + steps * step);
    Touch(true);
}
