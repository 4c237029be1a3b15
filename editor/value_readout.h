// ValueReadout: one line of text that a control's value display or name display link points at.
// A user change or a hover writes it (TakeEditedText) and shows it; once the pointer has left
// (HoverEnd) it hides after a short linger, which the redraw tick's NeedsPaint checks. It never
// takes input, so the knobs beneath or beside it keep theirs. UI thread.
#pragma once

#include "editor/control.h"
#include "framework/text_buffer.h"

#include <chrono>

class ValueReadout : public Control {
public:
    using Clock = std::chrono::steady_clock;

    ValueReadout(const Bounds& area, const TextStyle& style, Clock::duration linger);

    void TakeEditedText(const char* text) override;
    void HoverEnd() override;
    bool HitTest(int /*x*/, int /*y*/) override { return false; }
    // Hides the readout first when its linger has run out: the tick then repaints what is beneath.
    bool NeedsPaint() override;
    bool Paint(GraphicsContext& graphics) override;

    const char* Text() const { return text_.Text(); }

private:
    TextBuffer text_;
    Clock::duration linger_;
    Clock::time_point hideAt_{};
    bool lingering_ = false;
};
