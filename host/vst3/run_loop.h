// The host's run loop on Linux: the plug-in registers timers and file descriptors, and the host's
// UI loop (Pump) polls the descriptors and fires due timers on the calling thread, as a GUI
// toolkit's main loop does. Registration takes a reference, unregistration gives it back.
#pragma once

#include "host/vst3/host_object.h"

#include <chrono>
#include <vector>

class RunLoop final : public HostObject<vst3::Linux::IRunLoop> {
public:
    ~RunLoop();

    // Runs the loop for about `milliseconds`.
    void Pump(int milliseconds);
    int TimerCount() const { return static_cast<int>(timers_.size()); }
    int HandlerCount() const { return static_cast<int>(handlers_.size()); }
    int TimerFirings() const { return timerFirings_; }
    int FdCallbacks() const { return fdCallbacks_; }

    vst3::tresult queryInterface(const vst3::TUID id, void** obj) override;
    vst3::tresult registerEventHandler(vst3::Linux::IEventHandler* handler,
                                       vst3::FileDescriptor fd) override;
    vst3::tresult unregisterEventHandler(vst3::Linux::IEventHandler* handler) override;
    vst3::tresult registerTimer(vst3::Linux::ITimerHandler* handler,
                                vst3::TimerInterval milliseconds) override;
    vst3::tresult unregisterTimer(vst3::Linux::ITimerHandler* handler) override;

private:
    using Clock = std::chrono::steady_clock;
    struct Timer {
        vst3::Linux::ITimerHandler* handler;
        Clock::duration interval;
        Clock::time_point due;
    };
    struct Watch {
        vst3::Linux::IEventHandler* handler;
        vst3::FileDescriptor fd;
    };
    void FireDueTimers();
    void PollDescriptors(int timeoutMs);

    std::vector<Timer> timers_;
    std::vector<Watch> handlers_;
    int timerFirings_ = 0;
    int fdCallbacks_ = 0;
};
