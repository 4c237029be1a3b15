#include "host/clap/clap_module.h"

bool ClapModule::Open(const std::string& path) {
    Close();
    error_.clear();
    path_ = path;
    if (!library_.Open(path)) {
        error_ = library_.Error();
        return false;
    }
    const auto* entry = static_cast<const clap_plugin_entry*>(library_.Symbol("clap_entry"));
    if (entry == nullptr) {
        error_ = path + " exports no clap_entry";
    } else if (Initialise(entry, path)) {
        return true;
    }
    library_.Close();
    return false;
}

bool ClapModule::Adopt(const clap_plugin_entry* entry, const std::string& path) {
    Close();
    error_.clear();
    path_ = path;
    if (entry == nullptr) {
        error_ = "no entry";
        return false;
    }
    return Initialise(entry, path);
}

bool ClapModule::Initialise(const clap_plugin_entry* entry, const std::string& source) {
    if (!clap_version_is_compatible(entry->clap_version)) {
        error_ = source + " declares CLAP " + std::to_string(entry->clap_version.major) + "." +
                 std::to_string(entry->clap_version.minor) + ", not 1.x or later";
    } else if (entry->init == nullptr || entry->deinit == nullptr ||
               entry->get_factory == nullptr) {
        error_ = "the clap_entry of " + source + " lacks a function";
    } else if (!entry->init(source.c_str())) {
        error_ = "the init of " + source + " failed";
    } else {
        entry_ = entry;
        initialised_ = true;
        return true;
    }
    return false;
}

void ClapModule::Close() {
    if (initialised_) {
        entry_->deinit();
        initialised_ = false;
    }
    entry_ = nullptr;
    library_.Close();
}

const void* ClapModule::Factory(const char* id) const {
    return entry_ != nullptr ? entry_->get_factory(id) : nullptr;
}

const clap_plugin_factory* ClapModule::PluginFactory() const {
    return static_cast<const clap_plugin_factory*>(Factory(CLAP_PLUGIN_FACTORY_ID));
}

const clap_preset_discovery_factory* ClapModule::PresetDiscoveryFactory() const {
    const void* factory = Factory(CLAP_PRESET_DISCOVERY_FACTORY_ID);
    if (factory == nullptr) {
        factory = Factory(CLAP_PRESET_DISCOVERY_FACTORY_ID_COMPAT);
    }
    return static_cast<const clap_preset_discovery_factory*>(factory);
}

const clap_plugin_descriptor* ClapModule::FirstDescriptor() const {
    const clap_plugin_factory* factory = PluginFactory();
    if (factory == nullptr || factory->get_plugin_count(factory) == 0) {
        return nullptr;
    }
    return factory->get_plugin_descriptor(factory, 0);
}
