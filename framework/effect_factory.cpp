#include "framework/effect_factory.h"

#include "framework/plugin_core.h"

#include <memory>
#include <mutex>

namespace {

// Built at the first call, destroyed when the library is unloaded.
std::mutex& CreationMutex() {
    static std::mutex mutex;
    return mutex;
}

} // namespace

PluginCore* CreateEffectInstance() {
    std::lock_guard<std::mutex> hold(CreationMutex());
    try {
        std::unique_ptr<PluginCore> core(CreatePluginInstance());
        if (core != nullptr) {
            core->FillEmptyPresets(core->PresetCount());
        }
        return core.release();
    } catch (...) {
        return nullptr;
    }
}
