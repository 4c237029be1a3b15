// The plug-in factory: one plug-in, the effect. Every call may come from any thread.
#include "clap/clap_factory.h"

#include "clap/clap_catalogue.h"
#include "clap/clap_plugin.h"
#include "framework/effect_factory.h"

#include <cstring>
#include <new>

namespace {

std::uint32_t Count(const clap_plugin_factory* /*factory*/) {
    return 1;
}

const clap_plugin_descriptor* Descriptor(const clap_plugin_factory* /*factory*/,
                                         std::uint32_t index) {
    return index == 0 ? ClapCatalogue::Get().Descriptor() : nullptr;
}

// The host is not called here; it is only kept for later.
const clap_plugin* Create(const clap_plugin_factory* /*factory*/, const clap_host* host,
                          const char* id) {
    const clap_plugin_descriptor* descriptor = ClapCatalogue::Get().Descriptor();
    if (host == nullptr || id == nullptr || std::strcmp(id, descriptor->id) != 0 ||
        !clap_version_is_compatible(host->clap_version)) {
        return nullptr;
    }
    PluginCore* core = CreateEffectInstance();
    if (core == nullptr) {
        return nullptr;
    }
    auto* plugin = new (std::nothrow) ClapPlugin(host, descriptor, core);
    if (plugin == nullptr) {
        delete core;
        return nullptr;
    }
    return plugin->Record();
}

} // namespace

const clap_plugin_factory* PluginFactory() {
    static const clap_plugin_factory factory{&Count, &Descriptor, &Create};
    return &factory;
}
