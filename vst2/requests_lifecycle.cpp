// Opening, processing set-up and the editor's size.
#include "editor/graphics_context.h"
#include "vst2/vst2_requests.h"

#include <cmath>

// Some hosts send effOpen twice; the host set-up runs once, the parameter refresh every time.
VstIntPtr Vst2Requests::Open(Vst2Plugin& plugin, const Vst2Request& /*request*/) {
    plugin.HostSpecificSetup();
    for (int i = 0; i < plugin.ParamCount(); ++i) {
        plugin.ParamChanged(i);
    }
    return 0;
}

// A rate that is not a positive finite number would turn every coefficient into NaN or
// infinity; it is refused and the previous rate stays.
VstIntPtr Vst2Requests::SetSampleRate(Vst2Plugin& plugin, const Vst2Request& request) {
    const double rate = static_cast<double>(request.opt);
    if (!std::isfinite(rate) || rate <= 0.0) {
        return 0;
    }
    plugin.SetSampleRate(rate);
    plugin.ClearState();
    return 0;
}

// Sizes the base refuses (and 0, which leaves no room to process anything) keep the old size.
VstIntPtr Vst2Requests::SetBlockSize(Vst2Plugin& plugin, const Vst2Request& request) {
    if (request.value <= 0 || request.value > Vst2Plugin::MaxBlockLength) {
        return 0;
    }
    if (plugin.SetBlockLength(static_cast<int>(request.value))) {
        plugin.ClearState();
    }
    return 0;
}

VstIntPtr Vst2Requests::MainsChanged(Vst2Plugin& plugin, const Vst2Request& request) {
    if (request.value != 0) {
        plugin.ActivationChanged(true);
    } else {
        plugin.ActivationChanged(false);
        plugin.ClearState();
    }
    return 0;
}
