// The latency extension (the look-ahead, as fixed while active as the host's delay compensation
// needs it) and the tail (the look-ahead's samples still come out after the input stops).
#include "clap/clap_extensions.h"
#include "clap/clap_plugin.h"

namespace {

std::uint32_t Latency(const clap_plugin* plugin) {
    ClapPlugin* instance = ClapPlugin::From(plugin);
    return instance != nullptr ? instance->ReportedLatency() : 0;
}

} // namespace

const clap_plugin_latency* LatencyExtension() {
    static const clap_plugin_latency table{&Latency};
    return &table;
}

const clap_plugin_tail* TailExtension() {
    static const clap_plugin_tail table{&Latency};
    return &table;
}
