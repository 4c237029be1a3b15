// A recursive lock: the same thread may take it again while it holds it (the effect's parameter
// handler runs inside host callbacks that already hold the instance lock).
#pragma once

class RecursiveLock {
public:
    RecursiveLock();
    ~RecursiveLock();
    RecursiveLock(const RecursiveLock&) = delete;
    RecursiveLock& operator=(const RecursiveLock&) = delete;

    void Enter();
    // Takes the lock only if that needs no wait; true when taken.
    bool TryEnter();
    void Leave();

private:
    // Storage for the platform's lock object, so this header needs no system header.
    alignas(16) unsigned char storage_[64];
};

// Holds a lock for the lifetime of a scope.
class ScopedLock {
public:
    explicit ScopedLock(RecursiveLock& lock) : lock_(lock) { lock_.Enter(); }
    ~ScopedLock() { lock_.Leave(); }
    ScopedLock(const ScopedLock&) = delete;
    ScopedLock& operator=(const ScopedLock&) = delete;

private:
    RecursiveLock& lock_;
};
