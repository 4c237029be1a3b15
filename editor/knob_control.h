// KnobControl: dragging and the wheel turn the value. A base: it paints nothing of its own.
#pragma once

#include "editor/control.h"

enum KnobDirection : int {
    KnobVertical = 0,   // dragging up raises the value
    KnobHorizontal = 1, // dragging right raises it
};

class KnobControl : public Control {
public:
    // gearing: pixels of drag per unit of value, as a multiple of the control's extent.
    KnobControl(PluginCore* plugin, const Bounds& area, int paramIndex, const Blend& blend,
                KnobDirection direction, double gearing);

    // A full sweep takes gearing times the extent; ten times that with shift or control held.
    void Drag(int x, int y, int dx, int dy, const MouseKeys& keys) override;
    // 0.01 per step, 0.001 with shift or control held.
    void Wheel(int x, int y, const MouseKeys& keys, int steps) override;

private:
    KnobDirection direction_;
    double gearing_;
};
