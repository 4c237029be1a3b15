#include "host/clap/clap_presets.h"

namespace {

// What a provider declares while it is initialised.
struct Declared {
    std::vector<clap_preset_discovery_location> locations; // texts owned by the provider
};

// The receiver's state for one get_metadata call.
struct Receiving {
    std::vector<ClapPreset>* presets;
    std::uint32_t kind;
    std::string location;
    std::string error;
};

clap_preset_discovery_indexer MakeIndexer(Declared& declared) {
    clap_preset_discovery_indexer indexer{};
    indexer.clap_version = CLAP_VERSION;
    indexer.name = "Crescenda Test Host";
    indexer.vendor = "quillmoss";
    indexer.url = "";
    indexer.version = "1.0.0";
    indexer.indexer_data = &declared;
    indexer.declare_filetype = [](const clap_preset_discovery_indexer*,
                                  const clap_preset_discovery_filetype*) { return true; };
    indexer.declare_location = [](const clap_preset_discovery_indexer* self,
                                  const clap_preset_discovery_location* location) {
        if (location == nullptr) {
            return false;
        }
        static_cast<Declared*>(self->indexer_data)->locations.push_back(*location);
        return true;
    };
    indexer.declare_soundpack = [](const clap_preset_discovery_indexer*,
                                   const clap_preset_discovery_soundpack*) { return true; };
    indexer.get_extension = [](const clap_preset_discovery_indexer*, const char*) -> const void* {
        return nullptr;
    };
    return indexer;
}

Receiving& From(const clap_preset_discovery_metadata_receiver* receiver) {
    return *static_cast<Receiving*>(receiver->receiver_data);
}

// The preset being described, or null before the first begin_preset.
ClapPreset* Current(const clap_preset_discovery_metadata_receiver* receiver) {
    Receiving& receiving = From(receiver);
    return receiving.presets->empty() ? nullptr : &receiving.presets->back();
}

clap_preset_discovery_metadata_receiver MakeReceiver(Receiving& receiving) {
    clap_preset_discovery_metadata_receiver receiver{};
    receiver.receiver_data = &receiving;
    receiver.on_error = [](const clap_preset_discovery_metadata_receiver* self, std::int32_t,
                           const char* message) {
        From(self).error = message != nullptr ? message : "an error without a message";
    };
    receiver.begin_preset = [](const clap_preset_discovery_metadata_receiver* self,
                               const char* name, const char* loadKey) {
        Receiving& receiving = From(self);
        ClapPreset preset;
        preset.name = name != nullptr ? name : "";
        preset.loadKey = loadKey != nullptr ? loadKey : "";
        preset.locationKind = receiving.kind;
        preset.location = receiving.location;
        receiving.presets->push_back(preset);
        return true;
    };
    receiver.add_plugin_id = [](const clap_preset_discovery_metadata_receiver* self,
                                const clap_universal_plugin_id* id) {
        if (ClapPreset* preset = Current(self);
            preset != nullptr && id != nullptr && id->id != nullptr) {
            preset->pluginIds.emplace_back(id->id);
        }
    };
    receiver.set_soundpack_id = [](const clap_preset_discovery_metadata_receiver*, const char*) {};
    receiver.set_flags = [](const clap_preset_discovery_metadata_receiver* self,
                            std::uint32_t flags) {
        if (ClapPreset* preset = Current(self)) {
            preset->flags = flags;
        }
    };
    receiver.add_creator = [](const clap_preset_discovery_metadata_receiver*, const char*) {};
    receiver.set_description = [](const clap_preset_discovery_metadata_receiver*, const char*) {};
    receiver.set_timestamps = [](const clap_preset_discovery_metadata_receiver*, clap_timestamp,
                                 clap_timestamp) {};
    receiver.add_feature = [](const clap_preset_discovery_metadata_receiver*, const char*) {};
    receiver.add_extra_info = [](const clap_preset_discovery_metadata_receiver*, const char*,
                                 const char*) {};
    return receiver;
}

bool ReadProvider(const clap_preset_discovery_factory* factory, const char* id,
                  std::vector<ClapPreset>& presets, std::string& error) {
    Declared declared;
    const clap_preset_discovery_indexer indexer = MakeIndexer(declared);
    const clap_preset_discovery_provider* provider = factory->create(factory, &indexer, id);
    if (provider == nullptr) {
        error = std::string("the preset provider ") + id + " could not be created";
        return false;
    }
    bool ok = provider->init(provider);
    if (!ok) {
        error = std::string("the preset provider ") + id + " failed to initialise";
    }
    for (size_t i = 0; ok && i < declared.locations.size(); ++i) {
        const clap_preset_discovery_location& location = declared.locations[i];
        Receiving receiving{&presets, location.kind,
                            location.location != nullptr ? location.location : "", ""};
        const clap_preset_discovery_metadata_receiver receiver = MakeReceiver(receiving);
        if (!provider->get_metadata(provider, location.kind, location.location, &receiver) ||
            !receiving.error.empty()) {
            error = "the preset provider " + std::string(id) + " could not list its presets" +
                    (receiving.error.empty() ? "" : ": " + receiving.error);
            ok = false;
        }
    }
    provider->destroy(provider);
    return ok;
}

} // namespace

bool DiscoverPresets(const ClapModule& module, std::vector<ClapPreset>& presets,
                     std::string& error) {
    presets.clear();
    const clap_preset_discovery_factory* factory = module.PresetDiscoveryFactory();
    if (factory == nullptr) {
        error = module.Path() + " offers no preset-discovery factory";
        return false;
    }
    const std::uint32_t count = factory->count(factory);
    for (std::uint32_t i = 0; i < count; ++i) {
        const clap_preset_discovery_provider_descriptor* descriptor =
            factory->get_descriptor(factory, i);
        if (descriptor == nullptr || descriptor->id == nullptr ||
            !ReadProvider(factory, descriptor->id, presets, error)) {
            return false;
        }
    }
    return true;
}

bool LoadPreset(ClapInstance& instance, const ClapPreset& preset) {
    auto* load = instance.Extension<clap_plugin_preset_load>(CLAP_EXT_PRESET_LOAD);
    if (load == nullptr) {
        load = instance.Extension<clap_plugin_preset_load>(CLAP_EXT_PRESET_LOAD_COMPAT);
    }
    return load != nullptr &&
           load->from_location(instance.Plugin(), preset.locationKind,
                               preset.location.empty() ? nullptr : preset.location.c_str(),
                               preset.loadKey.c_str());
}
