// Opening, processing set-up and the editor's size.
#include "vst2/vst2_requests.h"

#include <cmath>

// Some hosts send effOpen twice; the host set-up runs once, the parameter refresh every time.
// Hosts never process while they open, so the effect derives its values here and now.
VstIntPtr Vst2Requests::Open(Vst2Plugin& plugin, const Vst2Request& /*request*/) {
    plugin.HostSpecificSetup();
    plugin.Core().Pending().MarkAll();
    plugin.Core().ApplyPendingParams();
    return 0;
}

// A rate that is not a positive finite number would turn every coefficient into NaN or
// infinity; it is refused and the previous rate stays.
VstIntPtr Vst2Requests::SetSampleRate(Vst2Plugin& plugin, const Vst2Request& request) {
    const double rate = static_cast<double>(request.opt);
    if (!std::isfinite(rate) || rate <= 0.0) {
        return 0;
    }
    plugin.Core().SetSampleRate(rate);
    plugin.Core().ClearState();
    return 0;
}

// Sizes the base refuses (and 0, which leaves no room to process anything) keep the old size.
VstIntPtr Vst2Requests::SetBlockSize(Vst2Plugin& plugin, const Vst2Request& request) {
    if (request.value <= 0 || request.value > PluginCore::MaxBlockLength) {
        return 0;
    }
    if (plugin.Core().SetBlockLength(static_cast<int>(request.value))) {
        plugin.Core().ClearState();
    }
    return 0;
}

VstIntPtr Vst2Requests::MainsChanged(Vst2Plugin& plugin, const Vst2Request& request) {
    if (request.value != 0) {
        plugin.Core()
            .ApplyPendingParams(); // the latency the host reads on resume is the current one
        plugin.Core().ActivationChanged(true);
    } else {
        plugin.Core().ActivationChanged(false);
        plugin.Core().ClearState();
    }
    return 0;
}
