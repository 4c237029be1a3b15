// VSTPluginMain: the entry point a host calls once per instance.
#include "framework/effect_factory.h"
#include "vst2/plugin_export.h"
#include "vst2/vst2_plugin.h"

#include <new>

namespace {

// No exception may reach the host: a failed construction answers null.
Vst2Plugin* CreateInstance(audioMasterCallback host) {
    PluginCore* core = CreateEffectInstance();
    if (core == nullptr) {
        return nullptr;
    }
    auto* plugin = new (std::nothrow) Vst2Plugin(host, core);
    if (plugin == nullptr) {
        delete core;
    }
    return plugin;
}

} // namespace

extern "C" AEffect* VSTPluginMain(audioMasterCallback host) {
    Vst2Plugin* plugin = CreateInstance(host);
    if (plugin == nullptr) {
        return nullptr;
    }
    AEffect* effect = plugin->Effect();
    if (effect->numPrograms < 1) {
        effect->numPrograms = 1;
    }
    return effect;
}
