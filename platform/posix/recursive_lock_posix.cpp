#include "platform/recursive_lock.h"

#include <mutex>
#include <new>

static_assert(sizeof(std::recursive_mutex) <= 64, "lock storage too small");

static std::recursive_mutex* Mutex(unsigned char* storage) {
    return std::launder(reinterpret_cast<std::recursive_mutex*>(storage));
}

RecursiveLock::RecursiveLock() {
    new (storage_) std::recursive_mutex;
}
RecursiveLock::~RecursiveLock() {
    Mutex(storage_)->~recursive_mutex();
}
void RecursiveLock::Enter() {
    Mutex(storage_)->lock();
}
bool RecursiveLock::TryEnter() {
    return Mutex(storage_)->try_lock();
}
void RecursiveLock::Leave() {
    Mutex(storage_)->unlock();
}
