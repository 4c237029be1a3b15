// How tests read the real-time counters of a counting VST2 build: effVendorSpecific with index
// RealtimeCountersRequest, value 1 to reset after copying, ptr = a RealtimeCounters.
#pragma once

#include "framework/realtime_checks.h"

#include <cstdint>

// effVendorSpecific index ('RtCh') answering the counters; 0 in ordinary builds.
constexpr std::int32_t RealtimeCountersRequest = 0x52744368;
// The answer when the counters were copied.
constexpr std::intptr_t RealtimeCountersAnswer = 0x52744368;
