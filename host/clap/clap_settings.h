// What a tool sets up in a CLAP instance before it runs (the options --preset, --load-state and
// --set, in that order), and the instance's state saved to a file: the CLAP counterparts of
// host/plugin_settings.h, taking the same settings.
#pragma once

#include "host/clap/clap_instance.h"
#include "host/plugin_settings.h"

#include <string>

// The parameter with this name (case and surrounding spaces ignored); false when there is none.
bool FindClapParam(const ClapInstance& instance, const std::string& name, clap_param_info& info);

// Applies the settings in their order; false, with error, at the first that fails. Values are
// typed text the plug-in reads (text_to_value) and reach it through flush.
bool ApplyClapSettings(const ClapModule& module, ClapInstance& instance,
                       const PluginSettings& settings, std::string& error);

bool SaveClapState(const ClapInstance& instance, const std::string& path, std::string& error);
