// VSTPluginMain: the entry point a host calls once per instance. Instances are created one at a
// time (some hosts create them from several threads at once).
#include "platform/recursive_lock.h"
#include "vst2/plugin_export.h"
#include "vst2/vst2_plugin.h"

#include <memory>

namespace {

// Built at the first call, destroyed when the library is unloaded.
RecursiveLock& CreationLock() {
    static RecursiveLock lock;
    return lock;
}

// No exception may reach the host: a failed construction answers null.
Vst2Plugin* CreateInstance(audioMasterCallback host) {
    try {
        std::unique_ptr<PluginCore> core(CreatePluginInstance());
        if (core == nullptr) {
            return nullptr;
        }
        core->FillEmptyPresets(core->PresetCount());
        return new Vst2Plugin(host, core.release());
    } catch (...) {
        return nullptr;
    }
}

} // namespace

extern "C" AEffect* VSTPluginMain(audioMasterCallback host) {
    ScopedLock hold(CreationLock());
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
