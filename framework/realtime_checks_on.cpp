// Real-time check builds: process-wide counters of what the process callbacks do, and the
// allocation hook. The binary is linked with --wrap for the malloc family, so on Linux every heap
// request of the plug-in's own code, the framework's buffers included, passes through here;
// operator new is replaced to go the same way on both platforms (on Windows the C runtime's
// malloc is reached through an import that the wrap does not see, so there only operator new
// is counted).
#include "framework/realtime_checks.h"
#include "platform/recursive_lock.h"
#include "platform/thread_identity.h"

#include <atomic>
#include <chrono>
#include <cstddef>
#include <cstdlib>
#include <new>

extern "C" void* __real_malloc(std::size_t size);
extern "C" void* __real_calloc(std::size_t count, std::size_t size);
extern "C" void* __real_realloc(void* block, std::size_t size);
extern "C" void __real_free(void* block);

namespace {

// Which threads are inside a process callback, kept without thread-local storage: on Windows
// that storage is emulated and allocates on a thread's first use, which re-enters the allocation
// hook before the emulation is ready and hangs the process.
struct CallbackThread {
    std::atomic<std::uintptr_t> thread{0};
    std::atomic<int> depth{0};
};
constexpr int MaxCallbackThreads = 64; // threads beyond this many are not counted
CallbackThread gThreads[MaxCallbackThreads];
std::atomic<int> gThreadsInside{0};

CallbackThread* FindThread(std::uintptr_t thread) {
    for (CallbackThread& entry : gThreads) {
        if (entry.thread.load() == thread) {
            return &entry;
        }
    }
    return nullptr;
}

CallbackThread* FindOrAddThread(std::uintptr_t thread) {
    if (CallbackThread* entry = FindThread(thread)) {
        return entry;
    }
    for (CallbackThread& entry : gThreads) {
        std::uintptr_t empty = 0;
        if (entry.thread.compare_exchange_strong(empty, thread)) {
            return &entry;
        }
    }
    return nullptr;
}

bool InsideCallback() {
    if (gThreadsInside.load() == 0) {
        return false;
    }
    const CallbackThread* entry = FindThread(CurrentThreadIdentity());
    return entry != nullptr && entry->depth.load() > 0;
}

std::atomic<std::int64_t> gCallbacks{0};
std::atomic<std::int64_t> gAllocations{0};
std::atomic<std::int64_t> gLockEntries{0};
std::atomic<std::int64_t> gLockWaits{0};
std::atomic<std::int64_t> gLongestLockWait{0};

void NoteAllocation() {
    if (InsideCallback()) {
        gAllocations.fetch_add(1, std::memory_order_relaxed);
    }
}

} // namespace

extern "C" void* __wrap_malloc(std::size_t size) {
    NoteAllocation();
    return __real_malloc(size);
}

extern "C" void* __wrap_calloc(std::size_t count, std::size_t size) {
    NoteAllocation();
    return __real_calloc(count, size);
}

extern "C" void* __wrap_realloc(void* block, std::size_t size) {
    NoteAllocation();
    return __real_realloc(block, size);
}

extern "C" void __wrap_free(void* block) {
    __real_free(block);
}

// Straight to the hook: on Windows the C runtime's malloc is an import the linker does not wrap.
void* operator new(std::size_t size) {
    void* block = __wrap_malloc(size != 0 ? size : 1);
    if (block == nullptr) {
        throw std::bad_alloc();
    }
    return block;
}
void* operator new[](std::size_t size) {
    return operator new(size);
}
void* operator new(std::size_t size, const std::nothrow_t&) noexcept {
    return __wrap_malloc(size != 0 ? size : 1);
}
void* operator new[](std::size_t size, const std::nothrow_t&) noexcept {
    return __wrap_malloc(size != 0 ? size : 1);
}
void operator delete(void* block) noexcept {
    std::free(block);
}
void operator delete[](void* block) noexcept {
    std::free(block);
}
void operator delete(void* block, std::size_t) noexcept {
    std::free(block);
}
void operator delete[](void* block, std::size_t) noexcept {
    std::free(block);
}
void operator delete(void* block, const std::nothrow_t&) noexcept {
    std::free(block);
}
void operator delete[](void* block, const std::nothrow_t&) noexcept {
    std::free(block);
}

bool RealtimeChecks::Enabled() {
    return true;
}

void RealtimeChecks::Read(RealtimeCounters& counters, bool reset) {
    counters.callbacks = gCallbacks.load();
    counters.allocations = gAllocations.load();
    counters.lockEntries = gLockEntries.load();
    counters.lockWaits = gLockWaits.load();
    counters.longestLockWaitNanoseconds = gLongestLockWait.load();
    if (reset) {
        gCallbacks = 0;
        gAllocations = 0;
        gLockEntries = 0;
        gLockWaits = 0;
        gLongestLockWait = 0;
    }
}

void RealtimeChecks::TakeLock(RecursiveLock& lock) {
    if (!InsideCallback()) {
        lock.Enter();
        return;
    }
    gLockEntries.fetch_add(1, std::memory_order_relaxed);
    if (!lock.TryEnter()) {
        gLockWaits.fetch_add(1, std::memory_order_relaxed);
        const auto start = std::chrono::steady_clock::now();
        lock.Enter();
        const std::int64_t waited = std::chrono::duration_cast<std::chrono::nanoseconds>(
                                        std::chrono::steady_clock::now() - start)
                                        .count();
        std::int64_t longest = gLongestLockWait.load();
        while (waited > longest && !gLongestLockWait.compare_exchange_weak(longest, waited)) {
        }
    }
}

void RealtimeChecks::EnterCallback() {
    CallbackThread* entry = FindOrAddThread(CurrentThreadIdentity());
    if (entry != nullptr && entry->depth.fetch_add(1) == 0) {
        gThreadsInside.fetch_add(1);
        gCallbacks.fetch_add(1, std::memory_order_relaxed);
    }
}

void RealtimeChecks::LeaveCallback() {
    CallbackThread* entry = FindThread(CurrentThreadIdentity());
    if (entry != nullptr && entry->depth.fetch_sub(1) == 1) {
        gThreadsInside.fetch_sub(1);
    }
}
