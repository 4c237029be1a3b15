// The host's user-interface loop around a plug-in view: on Linux the run loop the frame hands out,
// pumped with the window's events; on Windows the window's message loop (the editor has its own
// timer there and needs no run loop).
#pragma once

#include "host/host_window.h"
#include "vst3/vst3_abi.h"

#include <memory>

class UiLoop {
public:
    explicit UiLoop(HostWindow& window);
    ~UiLoop();

    const char* ViewType() const;
    // What the frame offers (null where the system has none).
    vst3::Linux::IRunLoop* RunLoop();
    void Run(int milliseconds);
    // Registered timers and descriptor watches, and timer firings so far (0 without a run loop).
    int Registrations() const;
    int TimerFirings() const;

private:
    struct State;
    HostWindow& window_;
    std::unique_ptr<State> state_;
};
