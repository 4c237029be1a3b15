// The class the VST3 bundle's factory offers: Crescenda as one audio effect under its own id.
#include "plugin/crescenda_parameters.h"
#include "vst3/effect_class.h"
#include "vst3/vst3_plugin.h"

namespace {

// No exception may reach the host: a failed construction answers null.
vst3::FUnknown* CreateCrescendaVst3() {
    try {
        return vst3::CreateVst3Plugin(CreatePluginInstance());
    } catch (...) {
        return nullptr;
    }
}

} // namespace

const vst3::ClassEntry& Vst3EffectClass() {
    static const vst3::ClassEntry entry{
        vst3::MakeUid(0x74B2ACC7, 0xE68B4A59, 0xB9E0443D, 0x4CC1C54A), CrescendaIdentity(),
        "Fx|Dynamics", &CreateCrescendaVst3};
    return entry;
}
