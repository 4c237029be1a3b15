// A module's factory presets as a CLAP host finds them: through the preset-discovery factory's
// providers (the presets each lists for the locations it declares) and loaded into an instance
// with the preset-load extension.
#pragma once

#include "host/clap/clap_instance.h"

#include <string>
#include <vector>

struct ClapPreset {
    std::string name;
    std::string loadKey;
    std::uint32_t locationKind = CLAP_PRESET_DISCOVERY_LOCATION_PLUGIN;
    std::string location; // empty for presets inside the plug-in
    std::uint32_t flags = 0;
    std::vector<std::string> pluginIds; // the plug-ins the preset is for
};

// Every preset every provider lists; false, with error, when the module has no discovery factory
// or a provider cannot be created or initialised.
bool DiscoverPresets(const ClapModule& module, std::vector<ClapPreset>& presets,
                     std::string& error);

// preset-load's from_location with the preset's location and key.
bool LoadPreset(ClapInstance& instance, const ClapPreset& preset);
