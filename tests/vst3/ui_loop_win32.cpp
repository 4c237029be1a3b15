#include "host/plugin_host.h"
#include "tests/vst3/ui_loop.h"

struct UiLoop::State {
    PluginHost noVst2; // the window's loop idles a VST2 host; there is none here
};

UiLoop::UiLoop(HostWindow& window) : window_(window), state_(std::make_unique<State>()) {}
UiLoop::~UiLoop() = default;

const char* UiLoop::ViewType() const {
    return vst3::kPlatformTypeHWND;
}

vst3::Linux::IRunLoop* UiLoop::RunLoop() {
    return nullptr;
}

void UiLoop::Run(int milliseconds) {
    window_.Run(state_->noVst2, milliseconds);
}

int UiLoop::Registrations() const {
    return 0;
}

int UiLoop::TimerFirings() const {
    return 0;
}
