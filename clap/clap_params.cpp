// The params extension: the effect's parameters by index (the index is the id), in their own
// units, with the texts the VST2 display shows and its label. Queries are main-thread calls and
// read under the instance lock; flush is the host's way to move events while it is not processing.
#include "clap/clap_extensions.h"
#include "clap/clap_plugin.h"
#include "framework/param_text.h"
#include "framework/realtime_checks.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace {

// The parameter of an id, or null (instance lock held by the caller).
PluginParam* ParamOf(ClapPlugin& plugin, clap_id id) {
    if (id >= static_cast<clap_id>(plugin.Core().ParamCount())) {
        return nullptr;
    }
    return plugin.Core().Param(static_cast<int>(id));
}

std::uint32_t Count(const clap_plugin* plugin) {
    ClapPlugin* instance = ClapPlugin::From(plugin);
    return instance != nullptr ? static_cast<std::uint32_t>(instance->Core().ParamCount()) : 0;
}

// Every parameter is automatable: hosts that list only automatable ones list them all.
bool GetInfo(const clap_plugin* plugin, std::uint32_t index, clap_param_info* info) {
    ClapPlugin* instance = ClapPlugin::From(plugin);
    if (instance == nullptr || info == nullptr) {
        return false;
    }
    InstanceHold hold(instance->Core().Lock());
    const PluginParam* param = ParamOf(*instance, index);
    if (param == nullptr) {
        return false;
    }
    *info = clap_param_info{};
    info->id = index;
    info->flags = CLAP_PARAM_IS_AUTOMATABLE;
    if (param->Kind() != ParamKindContinuous) {
        info->flags |= CLAP_PARAM_IS_STEPPED;
    }
    std::snprintf(info->name, sizeof info->name, "%s", param->Name());
    info->min_value = param->Minimum();
    info->max_value = param->Maximum();
    info->default_value = param->Default();
    return true;
}

bool GetValue(const clap_plugin* plugin, clap_id id, double* value) {
    ClapPlugin* instance = ClapPlugin::From(plugin);
    if (instance == nullptr || value == nullptr) {
        return false;
    }
    InstanceHold hold(instance->Core().Lock());
    const PluginParam* param = ParamOf(*instance, id);
    if (param == nullptr) {
        return false;
    }
    *value = param->Value();
    return true;
}

bool ValueToText(const clap_plugin* plugin, clap_id id, double value, char* text,
                 std::uint32_t capacity) {
    ClapPlugin* instance = ClapPlugin::From(plugin);
    if (instance == nullptr || text == nullptr || capacity == 0) {
        return false;
    }
    InstanceHold hold(instance->Core().Lock());
    const PluginParam* param = ParamOf(*instance, id);
    if (param == nullptr) {
        return false;
    }
    // Hosts show this text alone: it carries the unit ("0.32 s").
    char display[ParamTextSize * 2];
    FormatWithLabel(*param, value, false, display, sizeof display);
    std::snprintf(text, capacity, "%s", display);
    return true;
}

bool TextToValue(const clap_plugin* plugin, clap_id id, const char* text, double* value) {
    ClapPlugin* instance = ClapPlugin::From(plugin);
    if (instance == nullptr || text == nullptr || value == nullptr) {
        return false;
    }
    InstanceHold hold(instance->Core().Lock());
    const PluginParam* param = ParamOf(*instance, id);
    double parsed = 0.0;
    if (param == nullptr || ReadParamText(*param, text, parsed) != TextReading::Accepted) {
        return false;
    }
    *value = parsed;
    return true;
}

void Flush(const clap_plugin* plugin, const clap_input_events* in, const clap_output_events* out) {
    if (ClapPlugin* instance = ClapPlugin::From(plugin)) {
        instance->Flush(in, out);
    }
}

} // namespace

const clap_plugin_params* ParamsExtension() {
    static const clap_plugin_params table{&Count,       &GetInfo,     &GetValue,
                                          &ValueToText, &TextToValue, &Flush};
    return &table;
}
