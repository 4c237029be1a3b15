// Real-time checks. A test build (CMake option CRESCENDA_RT_CHECKS) counts what the process
// callbacks must never do once a block size is set: allocate from the heap, or wait for a lock.
// Ordinary builds compile the same calls to nothing. Tests read the counters through
// effVendorSpecific with index RealtimeCountersRequest and ptr = a RealtimeCounters.
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

// effVendorSpecific index ('RtCh') answering the counters; 0 in ordinary builds.
constexpr std::int32_t RealtimeCountersRequest = 0x52744368;
// The answer when the counters were copied.
constexpr std::intptr_t RealtimeCountersAnswer = 0x52744368;

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
// is counted (and its wait timed) in real-time check builds.
class InstanceHold {
public:
    explicit InstanceHold(RecursiveLock& lock) : lock_(lock) {
        if constexpr (RealtimeChecks::Counting) {
            RealtimeChecks::TakeLock(lock_);
        } else {
            lock_.Enter();
        }
    }
    ~InstanceHold() { lock_.Leave(); }
    InstanceHold(const InstanceHold&) = delete;
    InstanceHold& operator=(const InstanceHold&) = delete;

private:
    RecursiveLock& lock_;
};
