// The factory presets for hosts' preset browsers: a discovery provider that lists them inside the
// plug-in (load key: the preset's number), and the preset-load extension that loads one.
#include "clap/clap_presets.h"

#include "clap/clap_catalogue.h"
#include "clap/clap_extensions.h"
#include "clap/clap_plugin.h"
#include "framework/realtime_checks.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <new>
#include <string>

namespace {

constexpr char ProviderName[] = "Crescenda factory presets";
constexpr char LocationName[] = "Factory presets";

const std::string& ProviderId() {
    static const std::string id = std::string(ClapCatalogue::Get().Descriptor()->id) + ".presets";
    return id;
}

const clap_preset_discovery_provider_descriptor* ProviderDescriptor() {
    static const clap_preset_discovery_provider_descriptor descriptor{
        CLAP_VERSION, ProviderId().c_str(), ProviderName,
        ClapCatalogue::Get().Descriptor()->vendor};
    return &descriptor;
}

// The preset number a load key names, or -1: digits only, inside the list.
int PresetIndex(const char* key) {
    if (key == nullptr || *key < '0' || *key > '9') {
        return -1;
    }
    char* end = nullptr;
    errno = 0;
    const long index = std::strtol(key, &end, 10);
    const auto count = static_cast<long>(ClapCatalogue::Get().PresetNames().size());
    if (errno != 0 || *end != '\0' || index < 0 || index >= count) {
        return -1;
    }
    return static_cast<int>(index);
}

struct Provider {
    clap_preset_discovery_provider record{};
    const clap_preset_discovery_indexer* indexer = nullptr;
};

Provider* ProviderOf(const clap_preset_discovery_provider* provider) {
    return provider != nullptr ? static_cast<Provider*>(provider->provider_data) : nullptr;
}

bool ProviderInit(const clap_preset_discovery_provider* provider) {
    const Provider* self = ProviderOf(provider);
    if (self == nullptr || self->indexer->declare_location == nullptr) {
        return false;
    }
    clap_preset_discovery_location location{};
    location.flags = CLAP_PRESET_DISCOVERY_IS_FACTORY_CONTENT;
    location.name = LocationName;
    location.kind = CLAP_PRESET_DISCOVERY_LOCATION_PLUGIN;
    location.location = nullptr;
    return self->indexer->declare_location(self->indexer, &location);
}

void ProviderDestroy(const clap_preset_discovery_provider* provider) {
    delete ProviderOf(provider);
}

bool ProviderMetadata(const clap_preset_discovery_provider* provider, std::uint32_t kind,
                      const char* /*location*/,
                      const clap_preset_discovery_metadata_receiver* receiver) {
    if (ProviderOf(provider) == nullptr || receiver == nullptr ||
        kind != CLAP_PRESET_DISCOVERY_LOCATION_PLUGIN || receiver->begin_preset == nullptr) {
        return false;
    }
    const clap_universal_plugin_id plugin{"clap", ClapCatalogue::Get().Descriptor()->id};
    const std::vector<std::string>& names = ClapCatalogue::Get().PresetNames();
    for (size_t i = 0; i < names.size(); ++i) {
        const std::string key = std::to_string(i);
        if (!receiver->begin_preset(receiver, names[i].c_str(), key.c_str())) {
            break; // the host wants no more
        }
        if (receiver->add_plugin_id != nullptr) {
            receiver->add_plugin_id(receiver, &plugin);
        }
        if (receiver->set_flags != nullptr) {
            receiver->set_flags(receiver, CLAP_PRESET_DISCOVERY_IS_FACTORY_CONTENT);
        }
    }
    return true;
}

const void* ProviderExtension(const clap_preset_discovery_provider* /*provider*/,
                              const char* /*id*/) {
    return nullptr;
}

std::uint32_t FactoryCount(const clap_preset_discovery_factory* /*factory*/) {
    return 1;
}

const clap_preset_discovery_provider_descriptor*
FactoryDescriptor(const clap_preset_discovery_factory* /*factory*/, std::uint32_t index) {
    return index == 0 ? ProviderDescriptor() : nullptr;
}

const clap_preset_discovery_provider*
FactoryCreate(const clap_preset_discovery_factory* /*factory*/,
              const clap_preset_discovery_indexer* indexer, const char* id) {
    if (indexer == nullptr || id == nullptr || ProviderId() != id) {
        return nullptr;
    }
    auto* provider = new (std::nothrow) Provider();
    if (provider == nullptr) {
        return nullptr;
    }
    provider->indexer = indexer;
    provider->record.desc = ProviderDescriptor();
    provider->record.provider_data = provider;
    provider->record.init = &ProviderInit;
    provider->record.destroy = &ProviderDestroy;
    provider->record.get_metadata = &ProviderMetadata;
    provider->record.get_extension = &ProviderExtension;
    return &provider->record;
}

// Main thread. Loading a preset first keeps the user's edits in the current one, as a VST2 host's
// program change does; the host hears the outcome and re-reads the values, with no lock held.
bool LoadFromLocation(const clap_plugin* plugin, std::uint32_t kind, const char* location,
                      const char* key) {
    ClapPlugin* instance = ClapPlugin::From(plugin);
    if (instance == nullptr) {
        return false;
    }
    const int index = kind == CLAP_PRESET_DISCOVERY_LOCATION_PLUGIN ? PresetIndex(key) : -1;
    bool loaded = false;
    if (index >= 0) {
        PluginCore& core = instance->Core();
        InstanceHold hold(core.Lock());
        if (!core.HasStateChunks()) {
            core.ModifyCurrentPreset();
        }
        loaded = core.LoadPreset(index);
    }
    const auto* host =
        static_cast<const clap_host_preset_load*>(instance->HostExtension(CLAP_EXT_PRESET_LOAD));
    if (loaded) {
        if (host != nullptr && host->loaded != nullptr) {
            host->loaded(instance->Host(), kind, location, key);
        }
        const auto* params =
            static_cast<const clap_host_params*>(instance->HostExtension(CLAP_EXT_PARAMS));
        if (params != nullptr && params->rescan != nullptr) {
            params->rescan(instance->Host(), CLAP_PARAM_RESCAN_VALUES);
        }
    } else if (host != nullptr && host->on_error != nullptr) {
        host->on_error(instance->Host(), kind, location, key, 0, "no such factory preset");
    }
    return loaded;
}

} // namespace

const clap_preset_discovery_factory* PresetDiscoveryFactory() {
    static const clap_preset_discovery_factory factory{&FactoryCount, &FactoryDescriptor,
                                                       &FactoryCreate};
    return &factory;
}

const clap_plugin_preset_load* PresetLoadExtension() {
    static const clap_plugin_preset_load table{&LoadFromLocation};
    return &table;
}
