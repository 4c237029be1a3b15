// getParameter and setParameter of the effect record: normalised values, 0..1.
#include "vst2/realtime_checks.h"
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

float Vst2Plugin::ReadParameterNormalised(int index) {
    InstanceHold hold(core_->Lock());
    const PluginParam* param = core_->Param(index);
    return param != nullptr ? static_cast<float>(param->ToNormalised(param->Value())) : 0.0f;
}

void Vst2Plugin::WriteParameterNormalised(int index, double normalised) {
    InstanceHold hold(core_->Lock());
    core_->SetParamFromHost(index, ClampNormalised(normalised));
}
