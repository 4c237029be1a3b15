#include "clap/realtime_counters_extension.h"

namespace {

bool Read(const clap_plugin* plugin, RealtimeCounters* counters, bool reset) {
    if (plugin == nullptr || counters == nullptr) {
        return false;
    }
    RealtimeChecks::Read(*counters, reset);
    return true;
}

} // namespace

const crescenda_plugin_realtime_counters* RealtimeCountersExtension() {
    static const crescenda_plugin_realtime_counters table{&Read};
    return RealtimeChecks::Enabled() ? &table : nullptr;
}
