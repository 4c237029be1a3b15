// The counting test build's own extension: tests read the real-time counters (heap requests and
// lock waits inside process calls) through it. Ordinary builds do not offer it.
#pragma once

#include "clap/clap_abi.h"
#include "framework/realtime_checks.h"

constexpr char CrescendaRealtimeCountersExtensionId[] = "com.quillmoss.crescenda.realtime-counters";

struct crescenda_plugin_realtime_counters {
    // [main-thread] Copies the process-wide counters; with reset, starts them again from zero.
    // False for a null plug-in or record.
    bool (*read)(const clap_plugin* plugin, RealtimeCounters* counters, bool reset);
};

// The table, or null where the counters are not compiled in.
const crescenda_plugin_realtime_counters* RealtimeCountersExtension();
