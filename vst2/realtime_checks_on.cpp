// Real-time check builds: process-wide counters of what the process callbacks do, and the
// allocation hook. The binary is linked with --wrap for the malloc family, so every heap request
// of the plug-in's own code, the framework's buffers included, passes through here; operator
// new is replaced to go the same way.
#include "platform/recursive_lock.h"
#include "vst2/realtime_checks.h"

#include <atomic>
#include <cstddef>
#include <cstdlib>
#include <new>

extern "C" void* __real_malloc(std::size_t size);
extern "C" void* __real_calloc(std::size_t count, std::size_t size);
extern "C" void* __real_realloc(void* block, std::size_t size);
extern "C" void __real_free(void* block);

namespace {

thread_local int tCallbackDepth = 0;

std::atomic<std::int64_t> gCallbacks{0};
std::atomic<std::int64_t> gAllocations{0};
std::atomic<std::int64_t> gLockEntries{0};
std::atomic<std::int64_t> gLockWaits{0};

void NoteAllocation() {
    if (tCallbackDepth > 0) {
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

void* operator new(std::size_t size) {
    void* block = std::malloc(size != 0 ? size : 1);
    if (block == nullptr) {
        throw std::bad_alloc();
    }
    return block;
}
void* operator new[](std::size_t size) {
    return operator new(size);
}
void* operator new(std::size_t size, const std::nothrow_t&) noexcept {
    return std::malloc(size != 0 ? size : 1);
}
void* operator new[](std::size_t size, const std::nothrow_t&) noexcept {
    return std::malloc(size != 0 ? size : 1);
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
    if (reset) {
        gCallbacks = 0;
        gAllocations = 0;
        gLockEntries = 0;
        gLockWaits = 0;
    }
}

void RealtimeChecks::TakeLock(RecursiveLock& lock) {
    if (tCallbackDepth == 0) {
        lock.Enter();
        return;
    }
    gLockEntries.fetch_add(1, std::memory_order_relaxed);
    if (!lock.TryEnter()) {
        gLockWaits.fetch_add(1, std::memory_order_relaxed);
        lock.Enter();
    }
}

AudioCallbackScope::AudioCallbackScope() {
    if (tCallbackDepth++ == 0) {
        gCallbacks.fetch_add(1, std::memory_order_relaxed);
    }
}

AudioCallbackScope::~AudioCallbackScope() {
    --tCallbackDepth;
}

InstanceHold::InstanceHold(RecursiveLock& lock) : lock_(lock) {
    RealtimeChecks::TakeLock(lock_);
}
InstanceHold::~InstanceHold() {
    lock_.Leave();
}
