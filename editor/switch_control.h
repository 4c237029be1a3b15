// SwitchControl: a bitmap control whose click steps through its frames and wraps to the first.
#pragma once

#include "editor/bitmap_control.h"

class SwitchControl : public BitmapControl {
public:
    using BitmapControl::BitmapControl;

    // One step: with two frames the value alternates 0, 1; with three it goes 0, 0.5, 1, 0.
    void Press(int x, int y, const MouseKeys& keys) override;
    // A double click steps once more (its first press has already stepped).
    void DoubleClick(int x, int y, const MouseKeys& keys) override;
};
