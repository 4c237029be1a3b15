// Real-time checks. A test build (CMake option CRESCENDA_RT_CHECKS, or the counting test plug-ins)
// counts what the process callbacks must never do once a block size is set: allocate from the
// heap, or wait for a lock. Ordinary builds compile the same calls to nothing. Each format's
// adapter lets tests read the counters its own way (vst2/realtime_counters_request.h,
// clap/realtime_counters_extension.h).
#pragma once

#include "platform/recursive_lock.h"

#include <cstdint>

struct RealtimeCounters {
    std::int64_t callbacks = 0;   // process callbacks entered
    std::int64_t allocations = 0; // heap allocations (malloc family, operator new) while one runs
    std::int64_t lockEntries = 0; // locks taken inside them
    std::int64_t lockWaits = 0;   // of those, locks found held by another thread
    std::int64_t longestLockWaitNanoseconds = 0; // the longest of those waits
};

namespace RealtimeChecks {

// Counting builds define CRESCENDA_RT_CHECKS (set by CMake for the counting adapter library);
// in ordinary builds the hooks below are inline and leave nothing but the lock behind.
#ifdef CRESCENDA_RT_CHECKS
constexpr bool Counting = true;
#else
constexpr bool Counting = false;
#endif

bool Enabled();
// Copies the process-wide counters and, with reset, starts them again from zero.
void Read(RealtimeCounters& counters, bool reset);
// Takes a lock, counting the entry (and a wait) when the thread is inside a process callback.
void TakeLock(RecursiveLock& lock);
// Counting builds only: the calling thread enters and leaves a process callback.
void EnterCallback();
void LeaveCallback();

} // namespace RealtimeChecks

// Marks the calling thread as inside a process callback for the scope's life.
class AudioCallbackScope {
public:
    AudioCallbackScope() {
        if constexpr (RealtimeChecks::Counting) {
            RealtimeChecks::EnterCallback();
        }
    }
    ~AudioCallbackScope() {
        if constexpr (RealtimeChecks::Counting) {
            RealtimeChecks::LeaveCallback();
        }
    }
    AudioCallbackScope(const AudioCallbackScope&) = delete;
    AudioCallbackScope& operator=(const AudioCallbackScope&) = delete;
};

// Holds the instance lock for a structural request's run; a lock taken inside a process callback
// is counted (and its wait timed) in real-time check builds. Always through TakeLock, so shared
// code compiled once (the framework) is counted too when a counting adapter is linked.
class InstanceHold {
public:
    explicit InstanceHold(RecursiveLock& lock) : lock_(lock) { RealtimeChecks::TakeLock(lock_); }
    ~InstanceHold() { lock_.Leave(); }
    InstanceHold(const InstanceHold&) = delete;
    InstanceHold& operator=(const InstanceHold&) = delete;

private:
    RecursiveLock& lock_;
};
