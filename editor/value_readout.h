// ValueReadout: one line of text that a control's value display or name display link points at.
// A user change or a hover writes it (TakeEditedText) and shows it; while it shows, the redraw
// tick's NeedsPaint follows the shown control's value (the host's automation moves it too); once
// the pointer has left (HoverEnd) it hides after a short linger, which NeedsPaint checks as well.
// It never takes input, so the knobs beneath or beside it keep theirs. UI thread.
#pragma once

#include "editor/control.h"
#include "framework/text_buffer.h"

#include <chrono>

class ValueReadout : public Control {
public:
    using Clock = std::chrono::steady_clock;

    ValueReadout(const Bounds& area, const TextStyle& style, Clock::duration linger);

    void TakeEditedText(const char* text) override;
    void ShowValueOf(const Control& source) override;
    void HoverEnd() override;
    bool HitTest(int /*x*/, int /*y*/) override { return false; }
    // Hides the readout first when its linger has run out: the tick then repaints what is beneath.
    bool NeedsPaint() override;
    bool Paint(GraphicsContext& graphics) override;

    const char* Text() const { return text_.Text(); }

private:
    void SetText(const char* text);
    // The shown control's text again when its value moved since it was shown.
    void FollowSource();

    TextBuffer text_;
    const Control* source_ = nullptr; // the control whose value is shown; null for other texts
    double shownValue_ = 0.0;
    Clock::duration linger_;
    Clock::time_point hideAt_{};
    bool lingering_ = false;
};
