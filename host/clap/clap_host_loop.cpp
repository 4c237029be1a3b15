#include "host/clap/clap_host_loop.h"

#include "host/host_window.h"

#include <algorithm>

namespace {

// The loop never sleeps longer than this, so window events stay prompt.
constexpr auto LongestWait = std::chrono::milliseconds(5);

} // namespace

void ClapHostLoop::Run(int milliseconds) {
    const Clock::time_point end = Clock::now() + std::chrono::milliseconds(milliseconds);
    for (;;) {
        if (window_ != nullptr) {
            window_->Pump();
        }
        AnswerRequests();
        const Clock::time_point now = Clock::now();
        if (now >= end) {
            return;
        }
        const Clock::time_point wake = std::min({FireTimers(now), end, now + LongestWait});
        const auto wait = std::chrono::duration_cast<std::chrono::milliseconds>(wake - now);
        for (const ClapFd& ready :
             WaitForFds(services_.Fds(), static_cast<int>(std::max<long long>(wait.count(), 0)))) {
            instance_.OnFd(ready.fd, ready.flags);
            ++fdCalls_;
        }
    }
}

ClapHostLoop::Clock::time_point ClapHostLoop::FireTimers(Clock::time_point now) {
    Clock::time_point next = Clock::time_point::max();
    const std::vector<ClapTimer> timers = services_.Timers();
    for (auto it = due_.begin(); it != due_.end();) {
        const bool registered = std::any_of(timers.begin(), timers.end(),
                                            [&](const ClapTimer& t) { return t.id == it->first; });
        it = registered ? std::next(it) : due_.erase(it);
    }
    for (const ClapTimer& timer : timers) {
        const auto period = std::chrono::milliseconds(std::max<std::uint32_t>(timer.periodMs, 1));
        auto [at, added] = due_.emplace(timer.id, now + period);
        if (!added && now >= at->second) {
            instance_.OnTimer(timer.id);
            ++timerCalls_;
            // A late tick is not made up for, as hosts' timers do.
            at->second = std::max(at->second + period, now + std::chrono::milliseconds(1));
        }
        next = std::min(next, at->second);
    }
    return next;
}

void ClapHostLoop::AnswerRequests() {
    const int callbacks = services_.Count(ClapRequest::Callback);
    if (callbacks != callbacksSeen_) {
        callbacksSeen_ = callbacks;
        instance_.OnMainThread();
        ++mainThreadCalls_;
    }
    const int flushes = services_.Count(ClapRequest::Flush);
    if (flushes != flushesSeen_ && !instance_.Processing()) {
        flushesSeen_ = flushes;
        instance_.Flush(noEvents_, flushed_);
        ++flushes_;
    }
}
