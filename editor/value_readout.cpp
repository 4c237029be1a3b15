#include "editor/value_readout.h"

#include "editor/graphics_context.h"

#include <cstring>

ValueReadout::ValueReadout(const Bounds& area, const TextStyle& style, Clock::duration linger)
    : Control(nullptr, area, -1, Blend{}), linger_(linger) {
    Style() = style; // empty until a control shows its value: nothing is drawn
}

void ValueReadout::TakeEditedText(const char* text) {
    lingering_ = false;
    if (std::strcmp(text_.Text(), text != nullptr ? text : "") != 0) {
        text_.Set(text);
        Touch(false);
    }
    if (IsHidden()) {
        SetHidden(false);
    }
}

void ValueReadout::HoverEnd() {
    if (!IsHidden() && !lingering_) {
        lingering_ = true;
        hideAt_ = Clock::now() + linger_;
    }
}

bool ValueReadout::NeedsPaint() {
    if (lingering_ && Clock::now() >= hideAt_) {
        lingering_ = false;
        SetHidden(true);
    }
    return Control::NeedsPaint();
}

bool ValueReadout::Paint(GraphicsContext& graphics) {
    Bounds box = area_;
    return graphics.DrawTextBox(Style(), text_.Text(), box, false);
}
