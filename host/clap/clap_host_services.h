// The host record our CLAP host hands to a plug-in, with the host extensions it offers (params,
// state, latency, tail, gui, timer-support, posix-fd-support, thread-check, log, preset-load) or,
// like a scanner, none. It counts every request, keeps the timers and file descriptors the
// plug-in registers for the host loop, and records each call made against its thread rules.
#pragma once

#include "clap/clap_abi.h"

#include <array>
#include <atomic>
#include <functional>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

enum class ClapRequest {
    Restart,
    Process,
    Callback,
    Flush,
    MarkDirty,
    LatencyChanged,
    TailChanged,
    ParamsRescan,
    ParamsClear,
    GuiResizeHintsChanged,
    GuiResize,
    GuiShow,
    GuiHide,
    GuiClosed,
    PresetLoaded,
    PresetError,
    Kinds // the number of kinds
};

struct ClapTimer {
    clap_id id = CLAP_INVALID_ID;
    std::uint32_t periodMs = 0;
};

struct ClapFd {
    int fd = -1;
    clap_posix_fd_flags flags = 0;
};

class ClapHostServices {
public:
    using RequestHook = std::function<void(ClapRequest)>;

    // The constructing thread is the host's main thread.
    ClapHostServices();
    ClapHostServices(const ClapHostServices&) = delete;
    ClapHostServices& operator=(const ClapHostServices&) = delete;

    const clap_host* Host() const { return &host_; }
    // With false, get_extension answers null for every id, as plug-in scanners do.
    void OfferExtensions(bool offer) { offer_ = offer; }

    int Count(ClapRequest request) const;
    void ClearCounts();
    // Called after a request is counted, on the thread the plug-in called from.
    void SetRequestHook(RequestHook hook);

    std::vector<std::string> LogLines() const;
    // Host functions the plug-in called against their thread rules, one line each.
    std::vector<std::string> Violations() const;
    // The extension ids the plug-in asked for, in order.
    std::vector<std::string> ExtensionsAsked() const;
    std::vector<ClapTimer> Timers() const;
    std::vector<ClapFd> Fds() const;

    bool OnMainThread() const;
    // True on a thread inside one of the host's audio-thread calls into the plug-in.
    static bool OnAudioThread();

    // Marks the calling thread as the audio thread for the scope's life.
    class AudioThreadScope {
    public:
        AudioThreadScope();
        ~AudioThreadScope();
        AudioThreadScope(const AudioThreadScope&) = delete;
        AudioThreadScope& operator=(const AudioThreadScope&) = delete;

    private:
        bool previous_;
    };
    // Marks the plug-in's activate call, the one place latency.changed is allowed.
    void SetActivating(bool activating) { activating_ = activating; }

private:
    static ClapHostServices& From(const clap_host* host);
    static const void* GetExtension(const clap_host* host, const char* id);
    void Record(ClapRequest request);
    void Violation(const char* call, const char* rule);
    // Records a violation when not on the main thread; false then.
    bool RequireMainThread(const char* call);

    // The extension tables' functions.
    static void Log(const clap_host* host, clap_log_severity severity, const char* message);
    static bool RegisterTimer(const clap_host* host, std::uint32_t periodMs, clap_id* id);
    static bool UnregisterTimer(const clap_host* host, clap_id id);
    static bool RegisterFd(const clap_host* host, int fd, clap_posix_fd_flags flags);
    static bool ModifyFd(const clap_host* host, int fd, clap_posix_fd_flags flags);
    static bool UnregisterFd(const clap_host* host, int fd);
    static void RequestFlush(const clap_host* host);
    static void LatencyChanged(const clap_host* host);

    clap_host host_{};
    std::thread::id mainThread_;
    std::atomic<bool> offer_{true};
    std::atomic<bool> activating_{false};
    std::array<std::atomic<int>, static_cast<size_t>(ClapRequest::Kinds)> counts_{};

    mutable std::mutex mutex_; // guards everything below
    RequestHook hook_;
    std::vector<std::string> log_;
    std::vector<std::string> violations_;
    std::vector<std::string> asked_;
    std::vector<ClapTimer> timers_;
    std::vector<ClapFd> fds_;
    clap_id nextTimer_ = 0;
};
