// Ordinary builds: no counting.
#include "framework/realtime_checks.h"
#include "platform/recursive_lock.h"

bool RealtimeChecks::Enabled() {
    return false;
}

void RealtimeChecks::Read(RealtimeCounters& counters, bool /*reset*/) {
    counters = RealtimeCounters{};
}

void RealtimeChecks::TakeLock(RecursiveLock& lock) {
    lock.Enter();
}
