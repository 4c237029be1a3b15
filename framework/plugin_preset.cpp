#include "framework/plugin_preset.h"

#include <cstdio>

PluginPreset::PluginPreset() {
    SetName("empty");
}

void PluginPreset::SetName(const char* name) {
    std::snprintf(name_, sizeof name_, "%s", name != nullptr ? name : "");
}
