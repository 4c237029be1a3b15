// RedrawPacing: when the redraw step is due, for a window that has no timer and works inside the
// host's idle calls. Hosts idle 15 to 60 times a second at their own rate; the steps keep to a grid
// of the frame interval (40 ms at 25 frames a second) and an idle call up to a fifth of an
// interval early counts as on time, so a host idling every 40 ms or every 1/60 s gets 25 steps a
// second however its calls jitter, and a slower host one step per call.
#pragma once

#include <chrono>

class RedrawPacing {
public:
    using Clock = std::chrono::steady_clock;

    explicit RedrawPacing(int framesPerSecond)
        : interval_(std::chrono::milliseconds(1000 / (framesPerSecond > 0 ? framesPerSecond : 1))) {
    }

    // The next check is due at once (a new window).
    void Restart() { next_ = Clock::time_point{}; }

    bool Due(Clock::time_point now) {
        if (now < next_ - interval_ / 5) {
            return false;
        }
        next_ += interval_;
        if (next_ < now) {
            next_ = now + interval_; // idle calls stopped for a while: no catching up
        }
        return true;
    }

private:
    Clock::duration interval_;
    Clock::time_point next_{};
};
