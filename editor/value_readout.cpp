#include "editor/value_readout.h"

#include "editor/graphics_context.h"
#include "framework/param_text.h"

#include <cstring>

ValueReadout::ValueReadout(const Bounds& area, const TextStyle& style, Clock::duration linger)
    : Control(nullptr, area, -1, Blend{}), linger_(linger) {
    Style() = style; // empty until a control shows its value: nothing is drawn
}

void ValueReadout::TakeEditedText(const char* text) {
    lingering_ = false;
    source_ = nullptr;
    SetText(text);
    if (IsHidden()) {
        SetHidden(false);
    }
}

void ValueReadout::ShowValueOf(const Control& source) {
    source_ = &source;
    shownValue_ = source.Value();
}

void ValueReadout::SetText(const char* text) {
    if (std::strcmp(text_.Text(), text != nullptr ? text : "") != 0) {
        text_.Set(text);
        Touch(false);
    }
}

// The linger keeps running: a value the host moves does not hold the readout on the screen.
void ValueReadout::FollowSource() {
    if (source_ == nullptr || source_->Value() == shownValue_) {
        return;
    }
    shownValue_ = source_->Value();
    char text[ParamTextSize];
    if (source_->ValueText(text, sizeof text)) {
        SetText(text);
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
    } else if (!IsHidden()) {
        FollowSource();
    }
    return Control::NeedsPaint();
}

bool ValueReadout::Paint(GraphicsContext& graphics) {
    Bounds box = area_;
    return graphics.DrawTextBox(Style(), text_.Text(), box, false);
}
