#include "host/vst3/run_loop.h"

#include <algorithm>
#include <poll.h>

using namespace vst3;

RunLoop::~RunLoop() {
    for (auto& timer : timers_) {
        timer.handler->release();
    }
    for (auto& watch : handlers_) {
        watch.handler->release();
    }
}

tresult RunLoop::queryInterface(const TUID id, void** obj) {
    return AnswerQuery<Offer<FUnknown>, Offer<Linux::IRunLoop>>(this, id, obj);
}

tresult RunLoop::registerEventHandler(Linux::IEventHandler* handler, FileDescriptor fd) {
    if (handler == nullptr || fd < 0) {
        return kInvalidArgument;
    }
    handler->addRef();
    handlers_.push_back({handler, fd});
    return kResultOk;
}

tresult RunLoop::unregisterEventHandler(Linux::IEventHandler* handler) {
    auto found = std::find_if(handlers_.begin(), handlers_.end(),
                              [handler](const Watch& w) { return w.handler == handler; });
    if (found == handlers_.end()) {
        return kInvalidArgument;
    }
    handlers_.erase(found);
    handler->release();
    return kResultOk;
}

tresult RunLoop::registerTimer(Linux::ITimerHandler* handler, TimerInterval milliseconds) {
    // Like the GTK-based hosts: a zero interval would spin the loop and is refused.
    if (handler == nullptr || milliseconds == 0) {
        return kInvalidArgument;
    }
    handler->addRef();
    const auto interval = std::chrono::milliseconds(milliseconds);
    timers_.push_back({handler, interval, Clock::now() + interval});
    return kResultOk;
}

tresult RunLoop::unregisterTimer(Linux::ITimerHandler* handler) {
    auto found = std::find_if(timers_.begin(), timers_.end(),
                              [handler](const Timer& t) { return t.handler == handler; });
    if (found == timers_.end()) {
        return kInvalidArgument;
    }
    timers_.erase(found);
    handler->release();
    return kResultOk;
}

void RunLoop::FireDueTimers() {
    // A callback may unregister timers: walk a copy and skip the ones gone since.
    const auto due = timers_;
    for (const auto& timer : due) {
        auto live = std::find_if(timers_.begin(), timers_.end(),
                                 [&](const Timer& t) { return t.handler == timer.handler; });
        if (live == timers_.end() || live->due > Clock::now()) {
            continue;
        }
        live->due = Clock::now() + live->interval;
        ++timerFirings_;
        timer.handler->onTimer();
    }
}

void RunLoop::PollDescriptors(int timeoutMs) {
    std::vector<pollfd> fds;
    for (const auto& watch : handlers_) {
        fds.push_back({watch.fd, POLLIN, 0});
    }
    if (poll(fds.data(), fds.size(), timeoutMs) <= 0) {
        return;
    }
    const auto watches = handlers_;
    for (size_t i = 0; i < fds.size(); ++i) {
        const bool live = std::any_of(handlers_.begin(), handlers_.end(), [&](const Watch& w) {
            return w.handler == watches[i].handler;
        });
        if (live && (fds[i].revents & (POLLIN | POLLHUP | POLLERR)) != 0) {
            ++fdCallbacks_;
            watches[i].handler->onFDIsSet(watches[i].fd);
        }
    }
}

void RunLoop::Pump(int milliseconds) {
    const auto end = Clock::now() + std::chrono::milliseconds(milliseconds);
    while (Clock::now() < end) {
        auto wake = end;
        for (const auto& timer : timers_) {
            wake = std::min(wake, timer.due);
        }
        const auto wait =
            std::chrono::duration_cast<std::chrono::milliseconds>(wake - Clock::now());
        PollDescriptors(
            static_cast<int>(std::max<std::chrono::milliseconds::rep>(0, wait.count())));
        FireDueTimers();
    }
}
