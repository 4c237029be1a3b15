// getParameter and setParameter of the effect record: normalised values, 0..1.
#include "vst2/vst2_plugin.h"

namespace {

Vst2Plugin* Instance(AEffect* effect) {
    return effect != nullptr ? static_cast<Vst2Plugin*>(effect->object) : nullptr;
}

// Hosts send values outside 0..1; NaN passes on, and the parameter turns it into its maximum.
double ClampNormalised(double x) {
    if (x < 0.0) {
        return 0.0;
    }
    if (x > 1.0) {
        return 1.0;
    }
    return x;
}

} // namespace

float Vst2Plugin::VSTReadParameter(AEffect* effect, VstInt32 index) {
    Vst2Plugin* plugin = Instance(effect);
    return plugin != nullptr ? plugin->ReadParameterNormalised(index) : 0.0f;
}

void Vst2Plugin::VSTWriteParameter(AEffect* effect, VstInt32 index, float value) {
    if (Vst2Plugin* plugin = Instance(effect)) {
        plugin->WriteParameterNormalised(index, static_cast<double>(value));
    }
}

// Any thread, the audio thread included: no lock (the value is an atomic).
float Vst2Plugin::ReadParameterNormalised(int index) {
    return static_cast<float>(core_->ParamNormalised(index));
}

// Any thread, the audio thread included: the value is stored and marked for the next block.
void Vst2Plugin::WriteParameterNormalised(int index, double normalised) {
    core_->SetParamFromHost(index, ClampNormalised(normalised));
}
