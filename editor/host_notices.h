// HostNotices: what the editor tells the plug-in base about the user's gestures (a gesture
// begins, a value changed, a gesture ends), which the base passes on to the host. They are
// delivered in the order they were posted, by one thread at a time, and never while a lock of
// the editor's is held, so a host may take its time, set the value back or close the editor from
// inside any of them.
//
// A window class that handles input under a lock of its own wraps that work in Hold and Release:
// notices posted meanwhile wait, and Release delivers them once the lock is free again. Without
// a hold they go out at once.
#pragma once

#include <condition_variable>
#include <mutex>
#include <thread>
#include <vector>

class PluginCore;

class HostNotices {
public:
    enum class Kind { BeginEdit, Value, EndEdit };
    struct Notice {
        Kind kind;
        int param;
        double value; // normalised; Value only
    };

    explicit HostNotices(PluginCore* plugin) : plugin_(plugin) {}
    HostNotices(const HostNotices&) = delete;
    HostNotices& operator=(const HostNotices&) = delete;

    void Post(const Notice& notice);
    // Take the hold before the window's lock and release it after that lock is free.
    void Hold();
    void Release();
    // Returns once no thread holds notices back or delivers them (the plug-in is about to go).
    // From inside a delivery on this thread it returns at once.
    void WaitUntilQuiet();

private:
    // Delivers what waits, with mutex_ held on entry and on return, but not around the calls.
    void DeliverWaiting(std::unique_lock<std::mutex>& lock);
    void Deliver(const Notice& notice);

    PluginCore* plugin_;
    std::mutex mutex_; // guards the fields below, never held while a notice is delivered
    std::condition_variable quiet_;
    std::vector<Notice> waiting_;
    int holds_ = 0;
    bool delivering_ = false;
    std::thread::id deliverer_;
};
