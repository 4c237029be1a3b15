// get_extension: the tables by id (compared as strings: hosts pass their own copies), with the
// older ids some hosts still ask for.
#include "clap/clap_extensions.h"

#include "clap/clap_plugin.h"
#include "clap/realtime_counters_extension.h"

#include <cstring>

namespace {

struct ExtensionEntry {
    const char* id;
    const void* (*table)();
};

const ExtensionEntry Extensions[] = {
    {CLAP_EXT_AUDIO_PORTS, [] { return static_cast<const void*>(AudioPortsExtension()); }},
    {CLAP_EXT_AUDIO_PORTS_CONFIG,
     [] { return static_cast<const void*>(AudioPortsConfigExtension()); }},
    {CLAP_EXT_PARAMS, [] { return static_cast<const void*>(ParamsExtension()); }},
    {CLAP_EXT_STATE, [] { return static_cast<const void*>(StateExtension()); }},
    {CLAP_EXT_LATENCY, [] { return static_cast<const void*>(LatencyExtension()); }},
    {CLAP_EXT_TAIL, [] { return static_cast<const void*>(TailExtension()); }},
    {CLAP_EXT_GUI, [] { return static_cast<const void*>(GuiExtension()); }},
    {CLAP_EXT_TIMER_SUPPORT, [] { return static_cast<const void*>(TimerSupportExtension()); }},
    {CLAP_EXT_POSIX_FD_SUPPORT, [] { return static_cast<const void*>(PosixFdSupportExtension()); }},
    {CLAP_EXT_PRESET_LOAD, [] { return static_cast<const void*>(PresetLoadExtension()); }},
    {CLAP_EXT_PRESET_LOAD_COMPAT, [] { return static_cast<const void*>(PresetLoadExtension()); }},
    {CrescendaRealtimeCountersExtensionId,
     [] { return static_cast<const void*>(RealtimeCountersExtension()); }},
};

} // namespace

const void* ClapPlugin::Extension(const char* id) const {
    for (const ExtensionEntry& entry : Extensions) {
        if (std::strcmp(entry.id, id) == 0) {
            return entry.table();
        }
    }
    return nullptr;
}
