// The host's main-thread loop for one instance, as a host's user-interface loop runs it: window
// events, the plug-in's timers at their periods, its file descriptors when they are ready,
// on_main_thread after request_callback, and flush on the main thread after request_flush while
// the instance is not processing (the events that flush pushes are kept, as a host applies them).
#pragma once

#include "host/clap/clap_instance.h"

#include <chrono>
#include <map>

class HostWindow;

// Waits up to timeoutMs for any of the descriptors; the ready ones with what they are ready for.
// One implementation per platform (Windows has no descriptors to wait on and only sleeps).
std::vector<ClapFd> WaitForFds(const std::vector<ClapFd>& fds, int timeoutMs);

class ClapHostLoop {
public:
    ClapHostLoop(ClapInstance& instance, ClapHostServices& services, HostWindow* window = nullptr)
        : instance_(instance), services_(services), window_(window) {}

    // Runs the loop for about `milliseconds`.
    void Run(int milliseconds);

    int TimerCalls() const { return timerCalls_; }
    int FdCalls() const { return fdCalls_; }
    int MainThreadCalls() const { return mainThreadCalls_; }
    int Flushes() const { return flushes_; }
    // Everything the plug-in pushed from flushes this loop made.
    const ClapOutputEvents& FlushedEvents() const { return flushed_; }

private:
    using Clock = std::chrono::steady_clock;
    // Fires the due timers; the time the next one is due.
    Clock::time_point FireTimers(Clock::time_point now);
    void AnswerRequests();

    ClapInstance& instance_;
    ClapHostServices& services_;
    HostWindow* window_;
    std::map<clap_id, Clock::time_point> due_;
    int callbacksSeen_ = 0;
    int flushesSeen_ = 0;
    int timerCalls_ = 0;
    int fdCalls_ = 0;
    int mainThreadCalls_ = 0;
    int flushes_ = 0;
    ClapInputEvents noEvents_;
    ClapOutputEvents flushed_;
};
