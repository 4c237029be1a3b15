// Ordinary builds: no counting.
#include "platform/recursive_lock.h"
#include "vst2/realtime_checks.h"

bool RealtimeChecks::Enabled() {
    return false;
}

void RealtimeChecks::Read(RealtimeCounters& counters, bool /*reset*/) {
    counters = RealtimeCounters{};
}

void RealtimeChecks::TakeLock(RecursiveLock& lock) {
    lock.Enter();
}
