#include "host/plugin_host.h"
#include "host/vst3/run_loop.h"
#include "tests/vst3/ui_loop.h"

struct UiLoop::State {
    ::RunLoop loop;
    PluginHost noVst2; // the window's loop idles a VST2 host; there is none here
};

UiLoop::UiLoop(HostWindow& window) : window_(window), state_(std::make_unique<State>()) {}
UiLoop::~UiLoop() = default;

const char* UiLoop::ViewType() const {
    return vst3::kPlatformTypeX11EmbedWindowID;
}

vst3::Linux::IRunLoop* UiLoop::RunLoop() {
    return &state_->loop;
}

void UiLoop::Run(int milliseconds) {
    for (int spent = 0; spent < milliseconds; spent += 20) {
        window_.Run(state_->noVst2, 1);
        state_->loop.Pump(19);
    }
}

int UiLoop::Registrations() const {
    return state_->loop.TimerCount() + state_->loop.HandlerCount();
}

int UiLoop::TimerFirings() const {
    return state_->loop.TimerFirings();
}
