// ClapCatalogue: what a host learns of the effect before it makes an instance (the descriptor,
// the factory presets' names), read once from a probe instance of the effect.
#pragma once

#include "clap/clap_abi.h"

#include <string>
#include <vector>

class PluginCore;

class ClapCatalogue {
public:
    // Built at the first call, thread-safe; lives until the library is unloaded.
    static const ClapCatalogue& Get();

    const clap_plugin_descriptor* Descriptor() const { return &descriptor_; }
    const std::vector<std::string>& PresetNames() const { return presetNames_; }

private:
    ClapCatalogue();
    void Describe(const PluginCore& core);

    std::string id_;
    std::string name_;
    std::string vendor_;
    std::string version_;
    std::vector<std::string> presetNames_;
    clap_plugin_descriptor descriptor_{};
};
